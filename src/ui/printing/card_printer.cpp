#include "ui/printing/card_printer.h"

#include <QPrinter>
#include <algorithm>

namespace ksv::print {

PrintResult printCard(QPrinter& printer, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts) {
    printer.setDocName(data.factoryNumber);
    CardSheets sheets;
    if (layout == CardLayout::TwoPages && printer.printRange() == QPrinter::PageRange &&
        printer.fromPage() > 0) {
        sheets.first = std::clamp(printer.fromPage(), 1, 2);
        sheets.last = std::clamp(printer.toPage(), sheets.first, 2);
    }
    return paintCard(printer, data, layout, fonts, sheets);
}

} // namespace ksv::print
