#include "ui/printing/card_printer.h"

#include <QPrinter>

namespace ksv::print {

PrintResult printCard(QPrinter& printer, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts) {
    printer.setDocName(data.factoryNumber);
    return paintCard(printer, data, layout, fonts);
}

} // namespace ksv::print
