// print: the programming card of a settings file as a PDF.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/output_guard.h"
#include "cli/print_card.h"
#include "files/file_names.h"
#include "files/shown_path.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ksv::cli {
namespace {

// The printer writes only to a named file, so the card is rendered in a
// private temporary folder; its bytes then replace the output file the way
// every file of the command line is written, and an interrupted run leaves
// the old output as it was.
std::optional<QByteArray> renderPdf(const print::CardData& card, print::CardLayout layout,
                                    const QString& out, CliIo& io) {
    const auto fail = [&](const QString& why) {
        io.err << QStringLiteral("Файл %1 не записан: %2\n").arg(shownPath(out), why);
        return std::nullopt;
    };
    const QTemporaryDir dir;
    if (!dir.isValid())
        return fail(dir.errorString());
    const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
    QString error;
    if (!print::renderCardPdf(card, pdf, layout, &error))
        return fail(error);
    QFile rendered(pdf);
    if (!rendered.open(QIODevice::ReadOnly))
        return fail(rendered.errorString());
    return rendered.readAll();
}

} // namespace

print::CardData cardOfFile(const Image& image, OperatingMode mode, const QString& path) {
    return print::cardFromImage(image, mode, shownPath(QFileInfo(path).absoluteFilePath()));
}

int runPrint(const Arguments& a, CliIo& io) {
    const auto mode = modeOption(a, io);
    if (!mode)
        return kExitRefused;
    const QString input = a.positional[0];
    const QString out = *a.value(opt::output);
    if (!checkOutputIsNotAnInput(out, {input}, io) || !checkOutputIsNotASettingsFile(out, io))
        return kExitRefused;
    const auto image = loadImage(input, io);
    if (!image)
        return kExitRefused;
    const auto layout =
        a.flag(opt::onePage) ? print::CardLayout::OnePage : print::CardLayout::TwoPages;
    const auto pdf = renderPdf(cardOfFile(*image, *mode, input), layout, out, io);
    if (!pdf || !writeOutputFile(out, *pdf, io))
        return kExitRefused;
    io.out << QStringLiteral("Карта программирования записана в файл %1\n").arg(shownPath(out));
    return kExitOk;
}

} // namespace ksv::cli
