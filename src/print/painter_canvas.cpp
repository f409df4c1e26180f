#include "print/painter_canvas.h"

#include <QPainter>

namespace ksv::print {

void PainterCanvas::drawGlyph(const QRect& cell, FontId font, unsigned char code) {
    // The glyph already has the cell's size: a one-to-one copy, white
    // background included.
    painter_.drawImage(cell.topLeft(), fonts_.glyph(font, code, cell.size()));
}

} // namespace ksv::print
