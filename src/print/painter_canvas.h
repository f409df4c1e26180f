#pragma once

// A page writer canvas that copies stretched font glyphs onto a QPainter
// (a preview image or a printer page).

#include "print/page_writer.h"
#include "print/print_fonts.h"

class QPainter;

namespace ksv::print {

class PainterCanvas final : public Canvas {
public:
    PainterCanvas(QPainter& painter, const PrintFonts& fonts) : painter_(painter), fonts_(fonts) {}
    void drawGlyph(const QRect& cell, FontId font, unsigned char code) override;

private:
    QPainter& painter_;
    const PrintFonts& fonts_;
};

} // namespace ksv::print
