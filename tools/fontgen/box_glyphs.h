#pragma once

// Box-drawing, block and shade glyphs drawn to the full 13 x 22 cell, so that
// the lines of neighbouring cells join into continuous table rules.

#include "glyph.h"

#include <optional>

namespace fontgen {

// The glyph of a box-drawing (U+2500..U+257F) or block/shade (U+2580..U+259F)
// character this generator knows, or nullopt.
std::optional<Glyph> boxGlyph(char32_t u);

// The small box that code 0x7F shows.
Glyph smallBox();

} // namespace fontgen
