#pragma once

// Parsing of the command line: the command word, its options (long ones as
// "--name value" or "--name=value", and "-o FILE") and its positional
// arguments, checked against what each command accepts. Errors are texts in
// Russian for the user.

#include "image/mode.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>

namespace ksv::cli {

// Help and Version, then one value per entry of the command table
// (cli/command_table.h).
enum class Command {
    Help,
    Version,
    Ports,
    Doctor,
    Read,
    Write,
    Verify,
    New,
    Show,
    Diff,
    ExportCsv,
    ImportCsv,
    Print,
    Fleet,
    Archive,
};

struct Arguments {
    Command command = Command::Help;
    QStringList positional;
    std::map<QString, QString> values; // "--port" -> "COM1", "-o" -> "out.ust"
    std::set<QString> flags;           // "--json", "--dry-run" ...

    bool flag(const QString& name) const { return flags.count(name) != 0; }
    std::optional<QString> value(const QString& name) const;
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
