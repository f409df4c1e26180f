#pragma once

// The command line's "show": the report and the JSON of src/formats.

#include "formats/image_report.h"

namespace ksv::cli {
using formats::imageJson;
using formats::imageReport;
} // namespace ksv::cli
