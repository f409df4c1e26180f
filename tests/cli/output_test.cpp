// The output file of a command: never one of its inputs, never a settings
// file replaced by a card or a table, and always replaced as a whole.

#include "cli_runner.h"
#include "image/normalise.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace ksv {
namespace {

using test::contains;
using test::runCli;

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool hardLink(const QString& from, const QString& to) {
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

class CliOutput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli({"export-csv", ust, "-o", csv}).code, 0);
        ASSERT_TRUE(QFile::link(ust, files.path("soft.ust")) &&
                    hardLink(ust, files.path("hard.ust")));
        ASSERT_TRUE(QDir().mkpath(files.path("sub")));
    }
    test::CliFiles files;
    QString ust = files.writeImage("y.ust", startupImage(rtVehicleUhf, omUser));
    QString csv = files.path("ch.csv");
};

TEST_F(CliOutput, NoCommandWritesOverOneOfItsInputs) {
    const QString soft = files.path("soft.ust");
    const QList<QStringList> cases = {
        {"print", ust, "-o", ust},
        {"print", ust, "-o", soft},
        {"print", ust, "-o", files.path("hard.ust")},
        {"export-csv", ust, "-o", files.path("sub/../y.ust")},
        {"import-csv", ust, csv, "-o", soft},
        {"import-csv", ust, csv, "-o", csv},
    };
    const QByteArray ustBytes = bytesOf(ust), csvBytes = bytesOf(csv);
    for (const QStringList& args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.code, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(contains(r.err, "не может совпадать с входным файлом")) << r.err;
        EXPECT_TRUE(bytesOf(ust) == ustBytes && bytesOf(csv) == csvBytes);
    }
}

// A card or a table never replaces a settings file; other outputs are
// renamed over, never written in place: a hard link keeps the old bytes.
TEST_F(CliOutput, SettingsFilesKeptOtherOutputsReplacedAsAWhole) {
    const QString other = files.writeImage("other.ust", startupImage(rtVehicleVhf, omUser));
    const QByteArray kept = bytesOf(other);
    for (const QString command : {"print", "export-csv"}) {
        const auto refused = runCli({command, ust, "-o", other});
        EXPECT_EQ(refused.code, 1);
        EXPECT_TRUE(contains(refused.err, "это файл установок, он не будет заменен"));
        EXPECT_EQ(bytesOf(other), kept);

        const QString out = files.writeText("out." + command, "old output");
        ASSERT_TRUE(hardLink(out, files.path("old." + command)));
        EXPECT_EQ(runCli({command, ust, "-o", out}).code, 0);
        EXPECT_EQ(bytesOf(files.path("old." + command)), "old output");
        EXPECT_NE(bytesOf(out), "old output");
    }
}

} // namespace
} // namespace ksv
