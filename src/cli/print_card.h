#pragma once

// The programming card of a settings file, as the window started in the
// given mode would print it right after opening that file.

#include "image/image.h"
#include "image/mode.h"
#include "print/card_data.h"

#include <QString>

namespace ksv::cli {

// The file field shows the file's absolute path.
print::CardData cardOfFile(const Image& image, OperatingMode mode, const QString& path);

} // namespace ksv::cli
