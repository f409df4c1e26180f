#include "print/preview_geometry.h"

#include "print/page_writer.h"

namespace ksv::print {

PreviewGeometry previewGeometry(int ppiX, int ppiY) {
    PreviewGeometry g;
    PageWriter writer;
    writer.setResolution(ppiX, ppiY);
    const int width = static_cast<int>(80 * writer.CellW * g.scale) + 1;
    const int height = static_cast<int>(64 * writer.CellH * g.scale) + 1;
    const int top2 = static_cast<int>(64 * writer.CellH * g.scale) + static_cast<int>(64 * g.scale);
    g.sheet1 = QRect(1, 1, width, height);
    g.sheet2 = QRect(1, top2, width, height);
    g.bothSheets = QRect(1, 1, height, width);
    return g;
}

} // namespace ksv::print
