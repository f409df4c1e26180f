#include "font_sets.h"

#include "box_glyphs.h"
#include "print/codepage_tables.h"

#include <stdexcept>
#include <string>

namespace fontgen {

namespace {

Glyph& slot(GlyphSet& set, int code) {
    return set[code - kFirstCode];
}

Glyph fromSource(const SourceFont& font, char32_t u) {
    if (auto g = font(u))
        return *g;
    throw std::runtime_error("the source font has no glyph for U+" + std::to_string(u));
}

// 1251 codes drawn with the glyph of another 866 code.
struct LookAlike {
    unsigned char win;
    unsigned char dos;
};

constexpr LookAlike kLookAlikes[] = {
    {0x82, '\''}, {0x91, '\''}, {0x92, '\''}, // ‚ ‘ ’
    {0x84, '"'},  {0x93, '"'},  {0x94, '"'},  // „ “ ”
    {0x85, ':'},                              // …
    {0x89, '%'},                              // ‰
    {0x8B, '<'},  {0xAB, '<'},                // ‹ «
    {0x9B, '>'},  {0xBB, '>'},                // › »
    {0x96, '-'},  {0x97, '-'},  {0xAD, '-'},  // – — soft hyphen
    {0xB1, '+'},                              // ±
    {0xAE, 'R'},                              // ®
    {0xA9, 'c'},                              // ©
    {0x99, 'T'},                              // ™
    {0x95, 0xF9},                             // • as ∙
    {0xA6, 0xB3},                             // ¦ as │
    {0xAC, 0xBF},                             // ¬ as ┐
    {0x86, 0xC5},                             // † as ┼
    {0x87, 0xD8},                             // ‡ as ╪
    {0xB5, 0xE7},                             // µ as ч
};

} // namespace

GlyphSet buildDosSet(const SourceFont& font) {
    GlyphSet set{};
    for (int code = kFirstCode; code < 0x7F; ++code)
        slot(set, code) = fromSource(font, char32_t(code));
    slot(set, 0x7F) = smallBox();
    for (int code = 0x80; code <= 0xFE; ++code) {
        const char32_t u = ksv::cp::toUnicode(ksv::cp::kCp866, static_cast<unsigned char>(code));
        if (auto box = boxGlyph(u))
            slot(set, code) = *box;
        else
            slot(set, code) = fromSource(font, u);
    }
    slot(set, 0xFF) = Glyph{}; // no-break space
    return set;
}

GlyphSet buildWinSet(const GlyphSet& dos, const SourceFont& font) {
    GlyphSet set{};
    for (int code = kFirstCode; code <= 0xFF; ++code) {
        const char32_t u = ksv::cp::toUnicode(ksv::cp::kCp1251, static_cast<unsigned char>(code));
        const int same = u == 0 ? -1 : ksv::cp::fromUnicode(ksv::cp::kCp866, u);
        slot(set, code) = same >= 0 ? dos[same - kFirstCode] : dos['?' - kFirstCode];
    }
    for (const LookAlike& l : kLookAlikes)
        slot(set, l.win) = dos[l.dos - kFirstCode];
    slot(set, 0xA7) = fromSource(font, U'§');
    slot(set, 0xB6) = fromSource(font, U'¶');
    return set;
}

} // namespace fontgen
