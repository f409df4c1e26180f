#include "print/page_writer.h"

namespace ksv::print {

namespace {
constexpr double kA4WidthInches = 8.27;
constexpr double kA4HeightInches = 11.69;
constexpr int kColumns = 80;
constexpr int kLines = 64;
} // namespace

void PageWriter::setResolution(int ppiX, int ppiY) {
    PpiX = ppiX;
    PpiY = ppiY;
    CellW = static_cast<int>(PpiX * kA4WidthInches / kColumns);
    CellH = static_cast<int>(PpiY * kA4HeightInches / kLines);
}

void PageWriter::SetOrg(int column, int row) {
    OrgX = column * w();
    OrgY = row * h();
}

void PageWriter::GotoXY(int column, int row) {
    CurX = column * w();
    CurY = row * h();
}

void PageWriter::DrawSym(int x, int y, FontId font, Canvas& canvas, unsigned char code) {
    const int cw = w(), ch = h();
    canvas.drawGlyph(QRect(OrgX + x + cw, OrgY + y + ch, cw, ch), font, code);
}

void PageWriter::PutChar(unsigned char code, FontId font, Canvas& canvas) {
    if (code < 32) {
        if (code == '\n')
            CurY += h();
        CurX = 0;
        return;
    }
    DrawSym(CurX, CurY, font, canvas, code);
    CurX += w();
}

void PageWriter::PutStr(const QByteArray& text, FontId font, Canvas& canvas) {
    for (const char c : text)
        PutChar(static_cast<unsigned char>(c), font, canvas);
}

} // namespace ksv::print
