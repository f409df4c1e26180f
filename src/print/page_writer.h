#pragma once

// The page writer: places the glyphs of the two bitmap fonts on a grid of
// 80 columns by 64 lines laid over an A4 page (8.27 x 11.69 inches). Only the
// size of a character cell follows the resolution of the output; every
// conversion to pixels truncates toward zero.

#include <QByteArray>
#include <QRect>

namespace ksv::print {

// The two fonts: code page 866 (templates, tone table) and 1251 (window texts).
enum class FontId { df13x22, wf13x22 };

// What the page writer draws on.
class Canvas {
public:
    virtual ~Canvas() = default;
    // Copies the glyph of code (32..255) of font into cell, stretched to its size.
    virtual void drawGlyph(const QRect& cell, FontId font, unsigned char code) = 0;
};

class PageWriter {
public:
    // Resolution of the current output; sets CellW and CellH with it.
    void setResolution(int ppiX, int ppiY);

    // Drawn cell size at the current Scale.
    int w() const { return static_cast<int>(CellW * Scale); }
    int h() const { return static_cast<int>(CellH * Scale); }

    void SetOrg(int column, int row);
    void GotoXY(int column, int row);
    // Draws one glyph in the cell one cell right of and below (OrgX + x, OrgY + y).
    void DrawSym(int x, int y, FontId font, Canvas& canvas, unsigned char code);
    // Codes below 32 draw nothing: a line feed goes to the start of the next
    // line, any other to the start of the current line. Other codes draw at
    // the cursor and move it one cell right; a line longer than 80 columns
    // runs on past the right edge of the sheet.
    void PutChar(unsigned char code, FontId font, Canvas& canvas);
    void PutStr(const QByteArray& text, FontId font, Canvas& canvas);

    int PpiX = 96, PpiY = 96;
    int CellW = 9, CellH = 17;
    double Scale = 0.8;
    int CurX = 0, CurY = 0;
    int OrgX = 0, OrgY = 0;
};

} // namespace ksv::print
