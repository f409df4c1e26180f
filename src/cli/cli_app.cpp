#include "cli/cli_app.h"

#include "cli/cli_args.h"
#include "cli/command_table.h"
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
    if (a.command == Command::Help) {
        io.out << helpText();
        return kExitOk;
    }
    if (a.command == Command::Version) {
        io.out << versionText() << "\n";
        return kExitOk;
    }
    const CommandEntry* command = findCommand(a.command);
    return command ? command->run(a, io) : kExitRefused;
}

} // namespace ksv::cli
