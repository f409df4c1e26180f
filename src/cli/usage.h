#pragma once

// The help text of ksv717n-cli and the usage line of each command, both
// written from the command table.

#include "cli/command_table.h"

#include <QString>

namespace ksv::cli {

// "ksv717n-cli write --port PORT FILE.ust [--mode user|service|midband] ..."
QString commandUsage(const CommandEntry& command);

// The command's lines in the help: "  read        считать установки ...\n".
QString commandHelp(const CommandEntry& command);

// The whole --help text.
QString helpText();

// "ksv717n-cli <version>"
QString versionText();

} // namespace ksv::cli
