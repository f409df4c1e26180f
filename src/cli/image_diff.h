#pragma once

// The command line's "diff" and write preview: the comparison of src/formats.

#include "formats/image_diff.h"

namespace ksv::cli {
using formats::compareImages;
using formats::FieldChange;
using formats::formatChange;
} // namespace ksv::cli
