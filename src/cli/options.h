#pragma once

// The options of ksv717n-cli, each declared once as an object: its name, its
// argument, its lines in the help and the commands that take it. A command
// asks for an option by its object (a.flag(opt::dryRun), a.value(opt::port)),
// so that a misspelt option does not compile and a flag cannot be asked for
// a value; the parser, the usage lines and the help read the same objects.

#include <QString>
#include <QStringList>
#include <vector>

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

// A command that takes an option, and how.
struct OptionUse {
    Command command;
    bool required = false;
    // The argument as this command's usage line names it ("OUT.csv" of -o),
    // when that is not the option's own.
    const char* argument = nullptr;
};

class Option {
public:
    QString name;     // "--port", "-o"
    QString argument; // "PORT"; empty for a flag
    // Its lines in the help of each command that takes it, after the name;
    // none when the general part of the help explains it.
    QStringList help;
    std::vector<OptionUse> uses;
    // Whether it stands before the files in a usage line (--port).
    bool leads = false;

    bool takesValue() const { return !argument.isEmpty(); }
    // How command c takes it, or nullptr.
    const OptionUse* use(Command c) const;
    // Its argument in the usage line of c.
    QString argumentFor(Command c) const;
};

// An option without a value, and one with.
struct FlagOption : Option {};
struct ValueOption : Option {};

namespace opt {
extern const ValueOption port;
extern const ValueOption type;
extern const ValueOption output; // -o
extern const FlagOption onePage;
extern const ValueOption mode;
extern const FlagOption number;
extern const FlagOption dryRun;
extern const ValueOption backup;
extern const ValueOption backupDir;
extern const FlagOption noBackup;
extern const ValueOption logFile;  // --log
extern const ValueOption cardsDir; // --cards
extern const ValueOption count;
extern const FlagOption anyType;
extern const FlagOption original;
extern const FlagOption json;
extern const ValueOption archiveDir;
extern const FlagOption noArchive;
} // namespace opt

// Every option, in the order the usage lines show them.
const std::vector<const Option*>& allOptions();

} // namespace ksv::cli
