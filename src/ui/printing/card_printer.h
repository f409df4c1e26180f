#pragma once

// The programming card on a real printer: the print job is named after the
// factory number, so the engineer finds the card of a set in the queue.

#include "print/card_printing.h"

class QPrinter;

namespace ksv::print {

// The sheets are those of the page range chosen in the print dialog.
PrintResult printCard(QPrinter& printer, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts);

} // namespace ksv::print
