#include "print/preview_geometry.h"

#include "print/page_writer.h"

#include <iterator>

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

int previewOversampling(int ppiX, int ppiY) {
    const PreviewGeometry g;
    constexpr int kMost = 16;
    for (int k = 1; k < kMost; ++k) {
        PageWriter writer;
        writer.setResolution(ppiX * k, ppiY * k);
        writer.Scale = g.bothScale; // the smaller of the two layouts
        if (writer.w() >= 13 && writer.h() >= 22)
            return k;
    }
    return kMost;
}

double nextZoomStep(double zoom, bool larger) {
    static const double steps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};
    if (larger) {
        for (double s : steps)
            if (s > zoom + 0.005)
                return s;
        return kMaxZoom;
    }
    for (auto it = std::rbegin(steps); it != std::rend(steps); ++it)
        if (*it < zoom - 0.005)
            return *it;
    return kMinZoom;
}

} // namespace ksv::print
