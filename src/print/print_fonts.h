#pragma once

// The two bitmap fonts of the programming card, compiled into the program as
// resources (":/print/fonts/df13x22.bmp", ":/print/fonts/wf13x22.bmp"), and
// their glyphs stretched to a cell size.
//
// A glyph is stretched without smoothing: every pixel stays black or white.
// When a glyph is enlarged each source pixel becomes a block of pixels; when
// it is reduced, a pixel is ink if any source pixel it covers is ink, so
// that thin strokes and table rules never drop out of a small preview.

#include "print/page_writer.h"

#include <QHash>
#include <QImage>
#include <QSize>

namespace ksv::print {

constexpr int kGlyphW = 13;
constexpr int kGlyphH = 22;

class PrintFonts {
public:
    // Loads both bitmaps from the resources.
    PrintFonts();

    bool isValid() const { return !dos_.isNull() && !win_.isNull(); }
    const QImage& bitmap(FontId font) const { return font == FontId::df13x22 ? dos_ : win_; }

    // Rectangle of the glyph of code (>= 32) in its font bitmap.
    static QRect glyphRect(unsigned char code);

    // The glyph of code stretched to size, black on white, one bit per
    // pixel; codes below 32 give a white cell, an empty size (no pixels to
    // draw) a null image. Results are kept for reuse, up to kCachedGlyphs of
    // them: a card needs one size per output, each size at most 448 glyphs.
    QImage glyph(FontId font, unsigned char code, QSize size) const;
    static constexpr int kCachedGlyphs = 4096;
    int cachedGlyphs() const { return int(cache_.size()); }

    // The raw bytes of a font file as compiled in.
    static QByteArray fileBytes(FontId font);

private:
    QImage dos_; // DosFont
    QImage win_; // WinFont
    mutable QHash<quint64, QImage> cache_;
};

} // namespace ksv::print
