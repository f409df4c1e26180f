#include "card_bench.h"

#include "image/checksum.h"
#include "image/defaults.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"

#include <QFileInfo>
#include <QPrinter>
#include <chrono>

namespace ksv::bench {

CardSample renderCard600(const QString& pdfPath) {
    Image image = defaultImage(rtVehicleVhf);
    storeChecksum(image);
    const auto start = std::chrono::steady_clock::now();

    const print::CardData data = print::cardFromImage(image, omUser, QStringLiteral("card.ust"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    const print::PrintFonts fonts;
    const bool printed = print::paintCard(printer, data, print::CardLayout::TwoPages, fonts) ==
                         print::PrintResult::Printed;

    CardSample s;
    s.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    s.bytes = QFileInfo(pdfPath).size();
    s.ok = printed && printer.logicalDpiX() == 600 && s.bytes > 0;
    return s;
}

} // namespace ksv::bench
