#pragma once

// Bounds of the three preview images in the scroll area of the preview window.

#include <QRect>

namespace ksv::print {

struct PreviewGeometry {
    double scale = 0.8; // cell scale of the two single-sheet images
    QRect sheet1;       // PrintPanel: sheet 1
    QRect sheet2;       // PrintPanel1: sheet 2, below sheet 1 with a gap
    QRect bothSheets;   // PrintPanel2: a landscape page with both sheets
    double bothScale = 0.6;
};

// For a screen of the given logical resolution.
PreviewGeometry previewGeometry(int ppiX, int ppiY);

} // namespace ksv::print
