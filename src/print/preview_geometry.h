#pragma once

// Bounds of the three preview images in the scroll area of the preview window.

#include <QRect>

namespace ksv::print {

struct PreviewGeometry {
    double scale = 0.8; // cell scale of the two single-sheet images
    QRect sheet1;       // sheet 1
    QRect sheet2;       // sheet 2, below sheet 1 with a gap
    QRect bothSheets;   // a landscape page with both sheets
    double bothScale = 0.6;
};

// For a screen of the given logical resolution.
PreviewGeometry previewGeometry(int ppiX, int ppiY);

// The multiple of the screen's resolution at which the preview draws its
// sheets before it scales them smoothly to the size shown: the smallest at
// which the cells of both layouts hold the 13 x 22 glyphs whole. At the
// screen's own resolution a cell is 7 x 13 (5 x 10 in the one-sheet
// layout): whole rows of a glyph drop out, and 8 reads as 0.
int previewOversampling(int ppiX, int ppiY);

// The zoom steps of the preview; 1.0 is the size of previewGeometry.
double nextZoomStep(double zoom, bool larger);
inline constexpr double kMinZoom = 0.25;
inline constexpr double kMaxZoom = 4.0;

} // namespace ksv::print
