#include "cli/cli_app.h"

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/usage.h"

namespace ksv::cli {

int runCli(const QStringList& args, CliIo& io) {
    const ParseResult parsed = parseArguments(args);
    if (!parsed.args) {
        io.err << parsed.error << "\n";
        return kExitRefused;
    }
    const Arguments& a = *parsed.args;
    switch (a.command) {
    case Command::Help:
        io.out << helpText();
        return kExitOk;
    case Command::Version:
        io.out << versionText() << "\n";
        return kExitOk;
    case Command::New:
        return runNew(a, io);
    case Command::Show:
        return runShow(a, io);
    case Command::Diff:
        return runDiff(a, io);
    case Command::ExportCsv:
        return runExportCsv(a, io);
    case Command::ImportCsv:
        return runImportCsv(a, io);
    case Command::Ports:
        return runPorts(a, io);
    case Command::Doctor:
        return runDoctor(a, io);
    case Command::Read:
        return runRead(a, io);
    case Command::Write:
        return runWrite(a, io);
    case Command::Verify:
        return runVerify(a, io);
    case Command::Print:
        return runPrint(a, io);
    case Command::Fleet:
        return runFleet(a, io);
    }
    return kExitRefused;
}

} // namespace ksv::cli
