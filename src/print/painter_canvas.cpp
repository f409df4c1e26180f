#include "print/painter_canvas.h"

#include <QPainter>

namespace ksv::print {

void PainterCanvas::drawGlyph(const QRect& cell, FontId font, unsigned char code) {
    // The glyph already has the cell's size: a one-to-one copy, white
    // background included (a printer may take the glyph as a stencil of its
    // ink, so the background is filled first).
    painter_.fillRect(cell, Qt::white);
    painter_.drawImage(cell.topLeft(), fonts_.glyph(font, code, cell.size()));
}

} // namespace ksv::print
