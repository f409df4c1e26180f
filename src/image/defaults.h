#pragma once

#include "image/image.h"

namespace ksv {

// The built-in default image of a radio type (0..5). Its byte 250 is kept as
// the transceivers ship it, which is not the checksum of its contents; the
// first store of the window makes it valid.
const Image& defaultImage(RadioType type);

// Copies the default image of the type over the image; a type outside 0..5
// leaves the image unchanged.
void LoadDefault(int type, Image& image);

} // namespace ksv
