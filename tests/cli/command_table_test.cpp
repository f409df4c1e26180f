#include "cli/command_table.h"
#include "cli/usage.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ksv::cli {
namespace {

// What a usage line shows, read back from its text.
struct Shown {
    QStringList needed;   // "--port" of "--port PORT"
    QStringList optional; // "--mode" of "[--mode MODE]"
    QStringList flags;    // "--json" of "[--json]"
    int files = 0;        // "FILE.ust"
    int mayFollow = 0;    // "[NUMBER]"
};

Shown readUsage(const QString& line) {
    const QStringList words = line.split(' ');
    Shown s;
    for (int i = 2; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w.startsWith("[-") && w.endsWith(']'))
            s.flags << w.mid(1, w.size() - 2);
        else if (w.startsWith("[-"))
            s.optional << w.mid(1), ++i;
        else if (w.startsWith('['))
            ++s.mayFollow;
        else if (w.startsWith('-'))
            s.needed << w, ++i;
        else
            ++s.files;
    }
    return s;
}

TEST(CommandTable, UsageLinesNameExactlyWhatTheParserAccepts) {
    QStringList everyOption{"--zzz"};
    for (const CommandEntry& c : commandTable()) {
        const Shown s = readUsage(commandUsage(c));
        everyOption << s.needed << s.optional << s.flags;
    }
    for (const CommandEntry& c : commandTable()) {
        const QString usage = commandUsage(c);
        SCOPED_TRACE(usage.toStdString());
        const Shown s = readUsage(usage);
        const QStringList shown = s.needed + s.optional + s.flags;
        // The command line the usage shows, without the option omit.
        const auto parse = [&](const QString& omit, int files) {
            QStringList args{c.name};
            for (const QString& o : shown)
                if (o != omit)
                    args << o << (s.flags.contains(o) ? QStringList{} : QStringList{"x"});
            for (int n = 0; n < files; ++n)
                args << QString("f%1").arg(n);
            return parseArguments(args);
        };
        const ParseResult full = parse({}, s.files);
        ASSERT_TRUE(full.args) << full.error.toStdString();
        EXPECT_EQ(full.args->values.size() + full.args->flags.size(), size_t(shown.size()));
        for (const QString& o : shown)
            EXPECT_EQ(parse(o, s.files).error.contains("не задан параметр " + o),
                      s.needed.contains(o));
        EXPECT_TRUE(parse({}, s.files + s.mayFollow).args);
        EXPECT_TRUE(parse({}, s.files + s.mayFollow + 1).error.contains("лишний аргумент"));
        EXPECT_TRUE(s.files == 0 || parse({}, s.files - 1).error.contains("не заданы файлы"));
        for (const QString& o : everyOption) {
            const QString error = parseArguments({c.name, o}).error;
            EXPECT_EQ(error.contains("не знает параметра"), !shown.contains(o)) << o.toStdString();
        }
        EXPECT_TRUE(helpText().contains("  " + usage + '\n'));
        EXPECT_FALSE(c.help.isEmpty());
    }
}

QString sourceText(const char* relative) {
    QFile f(QStringLiteral(KSV_SOURCE_DIR "/") + relative);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
    return QString::fromUtf8(f.readAll());
}

// The options named in a text, "*--port*" in a manual page's usage line or
// "--port" in the completion's list, sorted.
std::string optionsIn(const QString& text, const QString& pattern) {
    QStringList found;
    for (const auto& m : QRegularExpression(pattern).globalMatch(text))
        found << m.captured(1);
    found.sort();
    return found.join(' ').toStdString();
}

// The options each command takes as the bash completion and both manual
// pages name them.
TEST(CommandTable, CompletionAndManualPagesOfferTheTablesOptions) {
    QString completion = sourceText("packaging/ksv717n-cli.bash-completion");
    completion.replace(QStringLiteral("\\\n"), QString()); // continued lines
    const QString pages[] = {sourceText("docs/man/en/ksv717n-cli.1.scd"),
                             sourceText("docs/man/ru/ksv717n-cli.1.scd")};
    for (const CommandEntry& c : commandTable()) {
        SCOPED_TRACE(c.name.toStdString());
        QStringList table;
        for (const CommandParameter& p : c.parameters)
            if (p.option)
                table << p.name;
        table.sort();
        const std::string options = table.join(' ').toStdString();
        const auto line = [&](const QString& text, const QString& start) {
            const auto m =
                QRegularExpression("\\n[ \\t]*" + QRegularExpression::escape(start) + "([^\\n]*)")
                    .match(text);
            EXPECT_TRUE(m.hasMatch());
            return m.captured(1);
        };
        EXPECT_EQ(optionsIn(line(completion, c.name + ")"), "(?:^| )(-[-a-z]+)"), options);
        for (const QString& page : pages)
            EXPECT_EQ(optionsIn(line(page, "*" + c.name + "*"), "\\*(-[-a-z]+)\\*"), options);
    }
}

} // namespace
} // namespace ksv::cli
