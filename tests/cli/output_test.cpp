// The output file of a command: never one of its inputs, never a settings
// file replaced by a card or a table, and always replaced as a whole.

#include "cli_runner.h"
#include "image/normalise.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace ksv {
namespace {

using test::CliFiles;
using test::contains;
using test::runCli;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Inputs {
    CliFiles files;
    QString ust = files.writeImage("y.ust", startupImage(rtVehicleUhf, omUser));
    QString csv = files.path("ch.csv");
    Inputs() {
        EXPECT_EQ(runCli({"export-csv", ust, "-o", csv}).code, 0);
        EXPECT_TRUE(QFile::link(ust, files.path("soft.ust")));
        EXPECT_EQ(::link(QFile::encodeName(ust).constData(),
                         QFile::encodeName(files.path("hard.ust")).constData()),
                  0);
        EXPECT_TRUE(QDir().mkpath(files.path("sub")));
    }
};

TEST(CliOutput, NoCommandWritesOverOneOfItsInputs) {
    Inputs in;
    const QString dotted = in.files.path("sub/../y.ust");
    const QString soft = in.files.path("soft.ust"), hard = in.files.path("hard.ust");
    const QList<QStringList> cases = {
        {"print", in.ust, "-o", in.ust},
        {"print", in.ust, "-o", soft},
        {"print", in.ust, "-o", hard},
        {"export-csv", in.ust, "-o", dotted},
        {"import-csv", in.ust, in.csv, "-o", soft},
        {"import-csv", in.ust, in.csv, "-o", in.csv},
    };
    const QByteArray ust = bytesOf(in.ust), csv = bytesOf(in.csv);
    for (const QStringList& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(contains(r.err, "не может совпадать с входным файлом")) << r.err;
        EXPECT_EQ(bytesOf(in.ust), ust);
        EXPECT_EQ(bytesOf(in.csv), csv);
    }
}

TEST(CliOutput, CardAndTableNeverReplaceASettingsFile) {
    Inputs in;
    const QString other = in.files.writeImage("other.ust", startupImage(rtVehicleVhf, omUser));
    const QByteArray kept = bytesOf(other);
    for (const char* command : {"print", "export-csv"}) {
        const auto r = runCli({command, in.ust, "-o", other});
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_TRUE(contains(r.err, "это файл установок, он не будет заменен")) << r.err;
        EXPECT_EQ(bytesOf(other), kept);
    }
}

// An older output is replaced by renaming a new file over it, never written
// in place: a hard link to the old file keeps the old bytes.
TEST(CliOutput, OutputIsReplacedAsAWhole) {
    Inputs in;
    for (const char* command : {"print", "export-csv"}) {
        const QString out = in.files.path(QStringLiteral("out.") + command);
        const QString old = in.files.path(QStringLiteral("old.") + command);
        in.files.writeText(QStringLiteral("out.") + command, "old output");
        ASSERT_EQ(::link(QFile::encodeName(out).constData(), QFile::encodeName(old).constData()),
                  0);
        const auto r = runCli({command, in.ust, "-o", out});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(bytesOf(old), "old output");
        EXPECT_NE(bytesOf(out), "old output");
    }
}

} // namespace
} // namespace ksv
