#include "cli/cli_args.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

namespace ksv::cli {
namespace {

using test::contains;
using test::runCli;

TEST(CliArguments, OptionsInBothFormsAndAnyOrder) {
    const auto r = parseArguments(
        {"write", "a.ust", "--mode=service", "--port", "COM2", "--number", "--backup", "old.ust"});
    ASSERT_TRUE(r.args) << r.error.toStdString();
    EXPECT_EQ(r.args->command, Command::Write);
    EXPECT_EQ(r.args->positional, QStringList{"a.ust"});
    EXPECT_EQ(*r.args->value(opt::port), "COM2");
    EXPECT_EQ(*r.args->value(opt::mode), "service");
    EXPECT_EQ(*r.args->value(opt::backup), "old.ust");
    EXPECT_TRUE(r.args->flag(opt::number));
    EXPECT_FALSE(r.args->flag(opt::dryRun));

    // After "--" a name starting with a dash is a file.
    const auto dash = parseArguments({"show", "--", "-odd.ust"});
    ASSERT_TRUE(dash.args);
    EXPECT_EQ(dash.args->positional, QStringList{"-odd.ust"});
}

TEST(CliArguments, HelpWinsAnywhere) {
    EXPECT_EQ(parseArguments({"write", "--help"}).args->command, Command::Help);
    EXPECT_EQ(parseArguments({"--version"}).args->command, Command::Version);
}

TEST(CliArguments, RefusalsNameTheProblem) {
    const struct {
        QStringList args;
        const char* text;
    } cases[] = {
        {{}, "Не задана команда"},
        {{"frobnicate"}, "Неизвестная команда \"frobnicate\""},
        {{"show", "a.ust", "--xml"}, "Команда show не знает параметра \"--xml\""},
        {{"read", "--port"}, "После параметра --port не задано значение"},
        {{"new", "--type", "0"}, "Команда new: не задан параметр -o"},
        {{"show"}, "Команда show: не заданы файлы"},
        {{"diff", "a", "b", "c"}, "лишний аргумент \"c\""},
        {{"show", "a.ust", "--json=yes"}, "Параметр --json не принимает значения"},
        {{"read", "--port", "COM1", "--port", "COM2", "-o", "x"}, "Параметр --port задан дважды"},
        {{"read", "--port=", "-o", "x"}, "Параметр --port задан с пустым значением"},
    };
    for (const auto& c : cases) {
        const auto r = parseArguments(c.args);
        EXPECT_FALSE(r.args) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.text)))
            << r.error.toStdString() << " / " << c.text;
    }
}

TEST(CliArguments, ExitCodesOfHelpVersionAndBadArguments) {
    const auto help = runCli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(contains(help.out, "ksv717n-cli import-csv FILE.ust IN.csv -o OUT.ust"));
    const auto version = runCli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(contains(version.out, "ksv717n-cli "));
    const auto bad = runCli({"new", "--type"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(contains(bad.err, "Формат: ksv717n-cli new --type 0..5 -o FILE.ust"));
    EXPECT_TRUE(bad.out.empty());
    EXPECT_EQ(runCli({"verify", "--port", "COM1", "a.ust", "--mode", "expert"}).code, 1);
}

} // namespace
} // namespace ksv::cli
