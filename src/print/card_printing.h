#pragma once

// Output of the programming card on any paged device (a printer or a PDF
// file): either two portrait pages, one sheet each, at 0.8 of the A4 grid from
// origin cell (1, 1), or one landscape page with both sheets side by side at
// 0.65.

#include "print/card_data.h"
#include "print/page_writer.h"
#include "print/print_fonts.h"

#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace ksv::print {

enum class CardLayout { TwoPages, OnePage };

enum class PrintResult { Printed, NoFonts, BeginFailed, NewPageFailed, EndFailed };

// Draws the card as it is printed, on a writer set to the output's
// resolution: at 0.8 with each sheet on its own page at origin cell (1, 1),
// or at 0.65 with both sheets on one page at cells (0, 0) and (80, 0).
// newPage starts the second page; when it fails, drawing stops with false.
// sheets: the pages of the two-page layout to draw (1, 2 or both).
struct CardSheets {
    int first = 1;
    int last = 2;
};
bool drawPrintedCard(const CardData& data, CardLayout layout, PageWriter& writer, Canvas& canvas,
                     const std::function<bool()>& newPage, CardSheets sheets = {});

// Sets the orientation, then draws the card with the device's resolution.
PrintResult paintCard(QPagedPaintDevice& device, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts, CardSheets sheets = {});

// The message that tells the user a print failed.
QString printErrorText(PrintResult result);

// Renders the card into a PDF file on A4 paper, without any dialog. On
// failure returns false and sets *error to a message for the user.
bool renderCardPdf(const CardData& data, const QString& path, CardLayout layout,
                   QString* error = nullptr);

// The same PDF as bytes, for a caller that writes the file itself; empty on
// failure, with *error set.
QByteArray renderCardPdfData(const CardData& data, CardLayout layout, QString* error = nullptr);

} // namespace ksv::print
