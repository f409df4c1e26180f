#include "cli/cli_app.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    ksv::cli::CliIo io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
    const int code = ksv::cli::runCli(args, io);
    std::cout.flush();
    return code;
}
