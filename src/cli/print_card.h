#pragma once

// The programming card of a settings file, as the window would print it
// right after opening that file in user mode.

#include "image/image.h"
#include "print/card_data.h"

#include <QString>

namespace ksv::cli {

// The file field shows the file's absolute path.
print::CardData cardOfFile(const Image& image, const QString& path);

} // namespace ksv::cli
