#pragma once

// ksv717n-cli as a function: parses the arguments, runs the command and
// returns the exit code. The executable's main() only sets up the
// application object and the streams.

#include "cli/cli_io.h"

#include <QStringList>

namespace ksv::cli {

// args excludes the program name.
int runCli(const QStringList& args, CliIo& io);

} // namespace ksv::cli
