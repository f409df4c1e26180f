#pragma once

// The help text of ksv717n-cli and the usage line of each command.

#include "cli/cli_args.h"

#include <QString>

namespace ksv::cli {

// "ksv717n-cli write --port PORT FILE.ust [--mode user|service|midband] ..."
QString commandUsage(Command c);

// The whole --help text.
QString helpText();

// "ksv717n-cli <version>"
QString versionText();

} // namespace ksv::cli
