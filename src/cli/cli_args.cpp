#include "cli/cli_args.h"

#include "cli/usage.h"

#include <vector>

namespace ksv::cli {
namespace {

struct CommandSpec {
    Command command;
    const char* name;
    QStringList valueOptions;    // options followed by a value
    QStringList flagOptions;     // options without a value
    QStringList requiredOptions; // value options that must be given
    int minPositional;
    int maxPositional;
};

const std::vector<CommandSpec>& commandDefinitions() {
    static const std::vector<CommandSpec> table = {
        {Command::Ports, "ports", {}, {}, {}, 0, 0},
        {Command::Doctor, "doctor", {"--port"}, {}, {}, 0, 0},
        {Command::Read, "read", {"--port", "-o"}, {}, {"--port", "-o"}, 0, 0},
        {Command::Write,
         "write",
         {"--port", "--mode", "--backup"},
         {"--number", "--dry-run"},
         {"--port"},
         1,
         1},
        {Command::Verify, "verify", {"--port", "--mode"}, {"--number"}, {"--port"}, 1, 1},
        {Command::New, "new", {"--type", "-o"}, {}, {"--type", "-o"}, 0, 0},
        {Command::Show, "show", {}, {"--json"}, {}, 1, 1},
        {Command::Diff, "diff", {}, {}, {}, 2, 2},
        {Command::ExportCsv, "export-csv", {"-o"}, {}, {}, 1, 1},
        {Command::ImportCsv, "import-csv", {"-o", "--mode"}, {}, {"-o"}, 2, 2},
        {Command::Print, "print", {"-o", "--mode"}, {"--one-page"}, {"-o"}, 1, 1},
        {Command::Fleet,
         "fleet",
         {"--port", "--mode", "--log", "--backup-dir", "--cards", "--count"},
         {},
         {"--port"},
         1,
         1},
    };
    return table;
}

const CommandSpec* findSpec(const QString& word) {
    for (const auto& s : commandDefinitions())
        if (word == QLatin1String(s.name))
            return &s;
    return nullptr;
}

QString formatHint(const CommandSpec& def) {
    return QStringLiteral("\nФормат: ") + commandUsage(def.command);
}

ParseResult failure(const QString& text) {
    return {std::nullopt, text};
}

} // namespace

std::optional<QString> Arguments::value(const QString& name) const {
    const auto it = values.find(name);
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

std::optional<OperatingMode> parseMode(const QString& text) {
    if (text == QLatin1String("user"))
        return omUser;
    if (text == QLatin1String("service"))
        return omService;
    if (text == QLatin1String("midband"))
        return omMidBand;
    return std::nullopt;
}

QString commandName(Command c) {
    switch (c) {
    case Command::Help:
        return QStringLiteral("--help");
    case Command::Version:
        return QStringLiteral("--version");
    default:
        break;
    }
    for (const auto& s : commandDefinitions())
        if (s.command == c)
            return QLatin1String(s.name);
    return {};
}

namespace {

// --help and --version win wherever they stand, so "write --help" helps.
std::optional<Command> helpOrVersion(const QStringList& args) {
    for (const QString& a : args) {
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return Command::Help;
    }
    if (!args.isEmpty() && args.front() == QLatin1String("--version"))
        return Command::Version;
    return std::nullopt;
}

// Reads the option args[i] ("--name=value", or "--name value" taking the
// next argument); an error text when the command does not accept it.
std::optional<QString> takeOption(const QStringList& args, int& i, const CommandSpec& def,
                                  Arguments& out) {
    QString a = args[i];
    std::optional<QString> inlineValue;
    if (a.startsWith(QLatin1String("--"))) {
        const qsizetype eq = a.indexOf('=');
        if (eq > 0) {
            inlineValue = a.mid(eq + 1);
            a = a.left(eq);
        }
    }
    if (def.flagOptions.contains(a)) {
        if (inlineValue)
            return QStringLiteral("Параметр %1 не принимает значения").arg(a) + formatHint(def);
        out.flags.insert(a);
        return std::nullopt;
    }
    if (!def.valueOptions.contains(a))
        return QStringLiteral("Команда %1 не знает параметра \"%2\"")
                   .arg(QLatin1String(def.name), a) +
               formatHint(def);
    if (!inlineValue && i + 1 >= args.size())
        return QStringLiteral("После параметра %1 не задано значение").arg(a) + formatHint(def);
    const QString v = inlineValue ? *inlineValue : args[++i];
    if (v.isEmpty())
        return QStringLiteral("Параметр %1 задан с пустым значением").arg(a);
    if (out.values.count(a))
        return QStringLiteral("Параметр %1 задан дважды").arg(a);
    out.values[a] = v;
    return std::nullopt;
}

// The required options and the number of positional arguments.
std::optional<QString> checkComplete(const CommandSpec& def, const Arguments& out) {
    const QString cmd = QLatin1String(def.name);
    for (const QString& r : def.requiredOptions)
        if (!out.values.count(r))
            return QStringLiteral("Команда %1: не задан параметр %2").arg(cmd, r) + formatHint(def);
    const auto n = out.positional.size();
    if (n < def.minPositional)
        return QStringLiteral("Команда %1: не заданы файлы").arg(cmd) + formatHint(def);
    if (n > def.maxPositional)
        return QStringLiteral("Команда %1: лишний аргумент \"%2\"")
                   .arg(cmd, out.positional[def.maxPositional]) +
               formatHint(def);
    return std::nullopt;
}

} // namespace

ParseResult parseArguments(const QStringList& args) {
    if (const auto early = helpOrVersion(args))
        return {Arguments{*early, {}, {}, {}}, {}};
    if (args.isEmpty())
        return failure(QStringLiteral("Не задана команда. Справка: ksv717n-cli --help"));
    const CommandSpec* def = findSpec(args.front());
    if (!def)
        return failure(QStringLiteral("Неизвестная команда \"%1\". Справка: ksv717n-cli --help")
                           .arg(args.front()));
    Arguments out;
    out.command = def->command;
    bool onlyPositional = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (onlyPositional || !(a.startsWith('-') && a.size() > 1))
            out.positional << a;
        else if (a == QLatin1String("--"))
            onlyPositional = true;
        else if (const auto error = takeOption(args, i, *def, out))
            return failure(*error);
    }
    if (const auto error = checkComplete(*def, out))
        return failure(*error);
    return {out, {}};
}

} // namespace ksv::cli
