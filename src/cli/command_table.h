#pragma once

// The commands of ksv717n-cli, each declared once: the word typed, its
// files, its lines in the help and the function that runs it. Its options
// are those that name it (cli/options.h). The parser, the usage lines, the
// help text and the dispatch all read this table.

#include "cli/cli_args.h"
#include "cli/cli_io.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ksv::cli {

// One element of a command's usage line.
struct CommandParameter {
    enum Kind {
        File,           // "FILE.ust": a positional argument, always needed
        OptionalFile,   // "[NUMBER]": a positional argument that may be left out
        RequiredOption, // "--port PORT"
        OptionalValue,  // "[--mode user|service|midband]"
        Flag,           // "[--dry-run]": an option without a value
    };
    Kind kind;
    QString name;                   // "--port", "-o"; empty for a file
    QString placeholder;            // "PORT", "FILE.ust"; empty for a flag
    const Option* option = nullptr; // none for a file

    bool takesValue() const { return kind == RequiredOption || kind == OptionalValue; }
};

using CommandHandler = int (*)(const Arguments&, CliIo&);

struct CommandEntry {
    Command command;
    QString name;                             // "export-csv"
    std::vector<CommandParameter> parameters; // files and options, in the order of the usage line
    QStringList help;                         // its lines in --help, without the indent
    CommandHandler run;

    // The option called name (a flag or one with a value), or nullptr.
    const CommandParameter* option(const QString& optionName) const;
    // The number of positional arguments it needs, and at most takes.
    int fileCount() const;
    int maxFileCount() const;
};

// Every command, in the order --help lists them.
const std::vector<CommandEntry>& commandTable();

// The command typed as word, or nullptr.
const CommandEntry* findCommand(const QString& word);

// The entry of c, or nullptr for Help and Version, which are not commands.
const CommandEntry* findCommand(Command c);

} // namespace ksv::cli
