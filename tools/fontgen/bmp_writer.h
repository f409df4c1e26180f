#pragma once

// The font bitmap file: a Windows bitmap of 416 x 154 pixels, 1 bit per
// pixel, palette white then black (1 is ink), rows stored bottom-up, with two
// zero bytes after the pixels: 8072 bytes in all. The glyph of code c >= 32
// sits in the 13 x 22 cell at column (c - 32) % 32, row (c - 32) / 32.

#include "font_sets.h"

#include <cstdint>
#include <vector>

namespace fontgen {

std::vector<std::uint8_t> fontBitmapFile(const GlyphSet& set);

} // namespace fontgen
