// The font files are read byte by byte here, independently of any image
// loader, so that the file format itself is checked.

#include "print/codepage.h"
#include "print/print_fonts.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace ksv::print;

namespace {

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Ink at (x, y) of the glyph of code, y counted from the top of the cell.
bool ink(const QByteArray& file, unsigned char code, int x, int y) {
    const int index = code - 32;
    const int px = (index % 32) * 13 + x;
    const int py = (index / 32) * 22 + y;
    const int row = 153 - py; // rows are stored bottom-up
    const uchar byte = uchar(file[62 + row * 52 + px / 8]);
    return (byte & (0x80 >> (px % 8))) != 0;
}

int inkCount(const QByteArray& file, unsigned char code) {
    int n = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 13; ++x)
            n += ink(file, code, x, y);
    return n;
}

bool sameGlyph(const QByteArray& a, unsigned char ca, const QByteArray& b, unsigned char cb) {
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 13; ++x)
            if (ink(a, ca, x, y) != ink(b, cb, x, y))
                return false;
    return true;
}

} // namespace

TEST(Fonts, FileFormat) {
    for (const FontId f : {FontId::df13x22, FontId::wf13x22}) {
        const QByteArray b = PrintFonts::fileBytes(f);
        ASSERT_EQ(b.size(), 8072);
        EXPECT_EQ(b.left(2), "BM");
        EXPECT_EQ(u32(b, 2), 8072u);
        EXPECT_EQ(u32(b, 6), 0u);
        EXPECT_EQ(u32(b, 10), 62u);
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(u32(b, 18), 416u);
        EXPECT_EQ(u32(b, 22), 154u);
        EXPECT_EQ(u16(b, 26), 1u);
        EXPECT_EQ(u16(b, 28), 1u);
        EXPECT_EQ(u32(b, 30), 0u);
        EXPECT_EQ(u32(b, 34), 0u);
        EXPECT_EQ(u32(b, 38), 3779u);
        EXPECT_EQ(u32(b, 42), 3779u);
        EXPECT_EQ(u32(b, 46), 0u);
        EXPECT_EQ(u32(b, 50), 0u);
        EXPECT_EQ(b.mid(54, 8), QByteArray("\xFF\xFF\xFF\x00\x00\x00\x00\x00", 8));
        EXPECT_EQ(b.right(2), QByteArray(2, '\0'));
    }
}

TEST(Fonts, EveryCodeHasInkExceptTheBlanks) {
    const QByteArray dos = PrintFonts::fileBytes(FontId::df13x22);
    const QByteArray win = PrintFonts::fileBytes(FontId::wf13x22);
    for (int c = 32; c < 256; ++c) {
        const bool dosBlank = c == 0x20 || c == 0xFF;
        const bool winBlank = c == 0x20 || c == 0xA0;
        EXPECT_EQ(inkCount(dos, uchar(c)) == 0, dosBlank) << "df13x22 code " << c;
        EXPECT_EQ(inkCount(win, uchar(c)) == 0, winBlank) << "wf13x22 code " << c;
    }
}

TEST(Fonts, BoxDrawingReachesTheCellEdges) {
    const QByteArray dos = PrintFonts::fileBytes(FontId::df13x22);
    const auto column = [&](unsigned char c, int x, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
            if (!ink(dos, c, x, y))
                return false;
        return true;
    };
    const auto row = [&](unsigned char c, int y, int x0, int x1) {
        for (int x = x0; x <= x1; ++x)
            if (!ink(dos, c, x, y))
                return false;
        return true;
    };
    // The vertical rule of │ ┼ ├ ┤ runs from the top to the bottom edge and
    // the horizontal rule of ─ ┼ ┬ ┴ from edge to edge, on the same column
    // and row in every glyph, so neighbouring cells join.
    for (const unsigned char c : {0xB3, 0xC5, 0xC3, 0xB4})
        EXPECT_TRUE(column(c, 6, 0, 21)) << int(c);
    for (const unsigned char c : {0xC4, 0xC5, 0xC2, 0xC1})
        EXPECT_TRUE(row(c, 10, 0, 12)) << int(c);
    // Corners: ┌ reaches right and bottom, ┘ left and top.
    EXPECT_TRUE(row(0xDA, 10, 6, 12));
    EXPECT_TRUE(column(0xDA, 6, 10, 21));
    EXPECT_TRUE(row(0xD9, 10, 0, 6));
    EXPECT_TRUE(column(0xD9, 6, 0, 10));
    EXPECT_FALSE(ink(dos, 0xDA, 6, 0));
    // The full block fills the cell; the top row of "A" is empty (the
    // rows are not upside down).
    EXPECT_EQ(inkCount(dos, 0xDB), 13 * 22);
    EXPECT_TRUE(row(0xDF, 0, 0, 12));
    EXPECT_FALSE(ink(dos, 0xDF, 0, 21));
    EXPECT_FALSE(row('A', 0, 0, 12));
}

TEST(Fonts, CodePage1251ArrangementAndLookAlikes) {
    const QByteArray dos = PrintFonts::fileBytes(FontId::df13x22);
    const QByteArray win = PrintFonts::fileBytes(FontId::wf13x22);
    // Characters of both code pages share their glyph.
    for (int c = 32; c < 128; ++c)
        EXPECT_TRUE(sameGlyph(win, uchar(c), dos, uchar(c))) << c;
    for (const QString s : {"А", "Я", "а", "п", "р", "я", "Ё", "ё", "№", "°", "·", "¤", "Ў"}) {
        const uchar w = uchar(toCp1251(s)[0]), d = uchar(toCp866(s)[0]);
        EXPECT_TRUE(sameGlyph(win, w, dos, d)) << qPrintable(s);
    }
    // Look-alikes.
    const struct {
        uchar win, dos;
    } alike[] = {{0x93, '"'},  {0x85, ':'},  {0xAB, '<'},  {0x97, '-'},  {0xAD, '-'},
                 {0xA9, 'c'},  {0x95, 0xF9}, {0xA6, 0xB3}, {0xAC, 0xBF}, {0x86, 0xC5},
                 {0x87, 0xD8}, {0xB5, 0xE7}, {0x80, '?'},  {0x98, '?'},  {0xB2, '?'}};
    for (const auto& a : alike)
        EXPECT_TRUE(sameGlyph(win, a.win, dos, a.dos)) << int(a.win);
    // § and ¶ have glyphs of their own.
    EXPECT_FALSE(sameGlyph(win, 0xA7, dos, '?'));
    EXPECT_FALSE(sameGlyph(win, 0xB6, dos, '?'));
}

TEST(Fonts, StretchedGlyphsKeepTheirLines) {
    const PrintFonts fonts;
    ASSERT_TRUE(fonts.isValid());
    // Reduced to a preview cell, a rule of one source pixel survives and
    // still spans the cell.
    for (const QSize size : {QSize(7, 13), QSize(5, 10)}) {
        const QImage v = fonts.glyph(FontId::df13x22, 0xB3, size);
        const QImage h = fonts.glyph(FontId::df13x22, 0xC4, size);
        ASSERT_EQ(v.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            int inkInRow = 0;
            for (int x = 0; x < size.width(); ++x)
                inkInRow += qGray(v.pixel(x, y)) < 128;
            EXPECT_EQ(inkInRow, 1) << "│ row " << y << " at " << size.width();
        }
        int inkRows = 0;
        for (int y = 0; y < size.height(); ++y) {
            bool full = true;
            for (int x = 0; x < size.width(); ++x)
                full = full && qGray(h.pixel(x, y)) < 128;
            inkRows += full;
        }
        EXPECT_EQ(inkRows, 1) << "─ at " << size.width();
    }
    // Enlarged, the pixels stay pure black or white.
    const QImage big = fonts.glyph(FontId::wf13x22, 0xC6 /* Ж */, QSize(49, 87));
    int black = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const int g = qGray(big.pixel(x, y));
            EXPECT_TRUE(g == 0 || g == 255);
            black += g == 0;
        }
    EXPECT_GT(black, 0);
}

// Every size with pixels gives a glyph of exactly that size; a size without
// area gives a null image, the only empty image there is (a cell 20 wide and
// 0 high came from the card fuzz target).
TEST(Fonts, GlyphHasTheRequestedSizeOrIsNullWhenEmpty) {
    const PrintFonts fonts;
    for (const QSize size : {QSize(20, 0), QSize(0, 22), QSize(0, 0), QSize(-1, 5)})
        EXPECT_TRUE(fonts.glyph(FontId::wf13x22, 'A', size).isNull()) << size.width();
    for (int w = 1; w <= 60; ++w)
        for (int h = 1; h <= 90; ++h)
            EXPECT_EQ(fonts.glyph(FontId::df13x22, 0xC5, QSize(w, h)).size(), QSize(w, h));
    // The glyphs of those 5400 sizes are not all kept.
    EXPECT_LE(fonts.cachedGlyphs(), PrintFonts::kCachedGlyphs);
}
