#include "cli/cli_app.h"
#include "files/file_names.h"
#include "serial/os/console.h"

#include <QCoreApplication>

#include <iostream>

namespace {

// Qt's own diagnostics ("QPainter::begin(): Returned false") would only
// repeat, in English, a failure the command reports itself.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << text.toStdString() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietQt);
    QCoreApplication app(argc, argv);
    ksv::os::useUnicodeStandardStreams();
    const QStringList args = ksv::commandLineArguments(argc, argv);
    ksv::cli::CliIo io{std::cout, std::cerr, ksv::os::errorStreamIsTerminal()};
    const int code = ksv::cli::runCli(args, io);
    std::cout.flush();
    return code;
}
