#pragma once

// Checks a command makes before it writes its output file, so that a typing
// slip never costs the user a file: the output may not be one of the
// command's inputs, and a card or a table may not replace a settings file.

#include "cli/cli_io.h"

#include <QString>
#include <QStringList>

namespace ksv::cli {

// False, with the reason printed, when output names the same file on disk as
// one of inputs (same device and inode: another spelling, a symbolic or a
// hard link all count).
bool outputIsNoInput(const QString& output, const QStringList& inputs, CliIo& io);

// False, with the reason printed, when output is an existing valid settings
// file: print and export-csv never replace one.
bool outputIsNoSettingsFile(const QString& output, CliIo& io);

} // namespace ksv::cli
