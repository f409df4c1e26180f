// The fleet's exit codes are told in five places: its help, both manual
// pages, the README and the help book. They must all say the same.
#include "cli_runner.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ksv {
namespace {

// The text without markup (HTML tags, scdoc emphasis, table bars) and with
// every run of white space as one space.
QString plainText(QString text) {
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QRegularExpression(QStringLiteral("[*_|\\\\]")), QStringLiteral(" "));
    return text.simplified();
}

QString sourceText(const char* relative) {
    QFile f(QStringLiteral(KSV_SOURCE_DIR "/") + relative);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
    return plainText(QString::fromUtf8(f.readAll()));
}

TEST(FleetExitCodes, EveryPlaceSaysTheSame) {
    const QStringList russian = {
        "каждая ответившая радиостанция записана или уже содержала этот файл",
        "хотя бы одной радиостанции отказано или не записаны карта или строка журнала; ни одна "
        "радиостанция не осталась в худшем состоянии",
        "ни одна радиостанция не ответила",
        "хотя бы у одной радиостанции ошибка проверки или прервана запись",
    };
    const QStringList english = {
        "every set that answered was written or already held the file",
        "at least one set was refused, or a card or a log row could not be written; no set is "
        "in a worse state",
        "no set answered at all",
        "at least one set failed verification or had its write cut off",
    };
    const QString help = plainText(QString::fromStdString(test::runCli({"--help"}).out));
    const std::pair<QString, QString> places[] = {
        {"--help", help},
        {"README.md", sourceText("README.md")},
        {"ru manual", sourceText("docs/man/ru/ksv717n-cli.1.scd")},
        {"help book", sourceText("src/ui/help/book/fleet.html")},
    };
    for (const auto& [place, text] : places)
        for (const QString& code : russian)
            EXPECT_TRUE(text.contains(code)) << place.toStdString() << ": " << code.toStdString();
    const QString manual = sourceText("docs/man/en/ksv717n-cli.1.scd");
    for (const QString& code : english)
        EXPECT_TRUE(manual.contains(code)) << code.toStdString();
}

} // namespace
} // namespace ksv
