#pragma once

// The glyph sets of the two print fonts, codes 32..255 each.

#include "glyph.h"

#include <array>
#include <functional>
#include <optional>

namespace fontgen {

constexpr int kFirstCode = 32;
constexpr int kGlyphCount = 224; // codes 32..255

using GlyphSet = std::array<Glyph, kGlyphCount>;

// Renders one character of the source font into a 13 x 22 cell, or nullopt
// when the font lacks it.
using SourceFont = std::function<std::optional<Glyph>(char32_t)>;

// Code page 866 order: ASCII, a small box at 0x7F, Cyrillic, the shades,
// box-drawing characters and blocks, and a blank at 0xFF. Throws
// std::runtime_error naming a character the source font lacks.
GlyphSet buildDosSet(const SourceFont& font);

// Code page 1251 order: the glyph of the same character in the 866 set where
// both code pages have it, look-alikes from the 866 set for typographic
// characters, glyphs of their own for § and ¶, and "?" for the rest.
GlyphSet buildWinSet(const GlyphSet& dos, const SourceFont& font);

} // namespace fontgen
