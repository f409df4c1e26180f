#pragma once

// Checks a command makes before it writes its output file, so that a typing
// slip never costs the user a file: the output may not be one of the
// command's inputs, and a card or a table may not replace a settings file.

#include "cli/cli_io.h"

#include <QString>
#include <QStringList>

namespace ksv::cli {

// True when output is none of inputs; otherwise prints the refusal and
// returns false. The same file on disk counts (same device and inode):
// another spelling, a symbolic or a hard link.
bool checkOutputIsNotAnInput(const QString& output, const QStringList& inputs, CliIo& io);

// True unless output is an existing valid settings file, which print and
// export-csv never replace; then prints the refusal and returns false.
bool checkOutputIsNotASettingsFile(const QString& output, CliIo& io);

} // namespace ksv::cli
