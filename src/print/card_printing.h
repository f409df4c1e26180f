#pragma once

// Output of the programming card on any paged device (a printer or a PDF
// file): either two portrait pages, one sheet each, at 0.8 of the A4 grid from
// origin cell (1, 1), or one landscape page with both sheets side by side at
// 0.65.

#include "print/card_data.h"
#include "print/print_fonts.h"

#include <QString>

class QPagedPaintDevice;

namespace ksv::print {

enum class CardLayout { TwoPages, OnePage };

enum class PrintResult { Printed, NoFonts, BeginFailed, NewPageFailed, EndFailed };

// Sets the orientation, then draws the card with the device's resolution.
PrintResult paintCard(QPagedPaintDevice& device, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts);

// The message that tells the user a print failed.
QString printErrorText(PrintResult result);

// Renders the card into a PDF file on A4 paper, without any dialog. On
// failure returns false and sets *error to a message for the user.
bool renderCardPdf(const CardData& data, const QString& path, CardLayout layout,
                   QString* error = nullptr);

} // namespace ksv::print
