// print: the programming card of a settings file as a PDF.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/print_card.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"

#include <QFileInfo>

namespace ksv::cli {

print::CardData cardOfFile(const Image& image, const QString& path) {
    return print::cardFromImage(image, omUser, QFileInfo(path).absoluteFilePath());
}

int runPrint(const Arguments& a, CliIo& io) {
    const QString input = a.positional[0];
    const auto image = loadImage(input, io);
    if (!image)
        return kExitRefused;
    const QString out = *a.value(QStringLiteral("-o"));
    const auto layout = a.flag(QStringLiteral("--one-page")) ? print::CardLayout::OnePage
                                                             : print::CardLayout::TwoPages;
    QString error;
    if (!print::renderCardPdf(cardOfFile(*image, input), out, layout, &error)) {
        io.err << error << "\n";
        return kExitRefused;
    }
    io.out << QStringLiteral("Карта программирования записана в файл %1\n").arg(out);
    return kExitOk;
}

} // namespace ksv::cli
