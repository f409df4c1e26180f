#pragma once

// Parsing of the command line: the command word, its options (long ones as
// "--name value" or "--name=value", and "-o FILE") and its positional
// arguments, checked against what each command accepts. Errors are texts in
// Russian for the user.

#include "cli/options.h"
#include "image/mode.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>

namespace ksv::cli {

struct Arguments {
    Command command = Command::Help;
    QStringList positional;
    std::map<const Option*, QString> values; // opt::port -> "COM1", opt::output -> "out.ust"
    std::set<const Option*> flags;           // opt::json, opt::dryRun ...

    bool flag(const FlagOption& option) const { return flags.count(&option) != 0; }
    std::optional<QString> value(const ValueOption& option) const;
};

struct ParseResult {
    std::optional<Arguments> args;
    QString error; // set when args is empty
};

// args excludes the program name.
ParseResult parseArguments(const QStringList& args);

// "user", "service", "midband".
std::optional<OperatingMode> parseMode(const QString& text);

} // namespace ksv::cli
