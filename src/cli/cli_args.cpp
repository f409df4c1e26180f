#include "cli/cli_args.h"

#include "cli/command_table.h"
#include "cli/usage.h"

namespace ksv::cli {
namespace {

QString formatHint(const CommandEntry& def) {
    return QStringLiteral("\nФормат: ") + commandUsage(def);
}

ParseResult failure(const QString& text) {
    return {std::nullopt, text};
}

} // namespace

std::optional<QString> Arguments::value(const ValueOption& option) const {
    const auto it = values.find(&option);
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
std::optional<QString> takeOption(const QStringList& args, int& i, const CommandEntry& def,
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
    const CommandParameter* option = def.option(a);
    if (!option)
        return QStringLiteral("Команда %1 не знает параметра \"%2\"").arg(def.name, a) +
               formatHint(def);
    if (!option->takesValue()) {
        if (inlineValue)
            return QStringLiteral("Параметр %1 не принимает значения").arg(a) + formatHint(def);
        out.flags.insert(option->option);
        return std::nullopt;
    }
    if (!inlineValue && i + 1 >= args.size())
        return QStringLiteral("После параметра %1 не задано значение").arg(a) + formatHint(def);
    const QString v = inlineValue ? *inlineValue : args[++i];
    if (v.isEmpty())
        return QStringLiteral("Параметр %1 задан с пустым значением").arg(a);
    if (out.values.count(option->option))
        return QStringLiteral("Параметр %1 задан дважды").arg(a);
    out.values[option->option] = v;
    return std::nullopt;
}

// The required options and the number of positional arguments.
std::optional<QString> checkComplete(const CommandEntry& def, const Arguments& out) {
    for (const CommandParameter& p : def.parameters)
        if (p.kind == CommandParameter::RequiredOption && !out.values.count(p.option))
            return QStringLiteral("Команда %1: не задан параметр %2").arg(def.name, p.name) +
                   formatHint(def);
    const auto n = out.positional.size();
    if (n < def.fileCount())
        return QStringLiteral("Команда %1: не заданы файлы").arg(def.name) + formatHint(def);
    if (const int most = def.maxFileCount(); n > most)
        return QStringLiteral("Команда %1: лишний аргумент \"%2\"")
                   .arg(def.name, out.positional[most]) +
               formatHint(def);
    return std::nullopt;
}

} // namespace

ParseResult parseArguments(const QStringList& args) {
    if (const auto early = helpOrVersion(args))
        return {Arguments{*early, {}, {}, {}}, {}};
    if (args.isEmpty())
        return failure(QStringLiteral("Не задана команда. Справка: ksv717n-cli --help"));
    const CommandEntry* def = findCommand(args.front());
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
