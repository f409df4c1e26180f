// The fleet's log: a new log begins with a byte order mark and its header; a
// row that cannot be written when its set is done is kept and written with a
// later one, in order. And the port column names a port once.

#include "operations/fleet_files.h"
#include "operations/fleet_session.h"
#include "support/scratch_folder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace ksv {
namespace {

class FleetLogTest : public ::testing::Test, protected test::ScratchFolder {};

TEST_F(FleetLogTest, ARowThatCannotBeWrittenIsKeptAndWrittenLater) {
    const QString log = path("журнал.csv");
    FleetLog fleetLog(fleetLogColumns("SHA-256 файла"));
    QString error;
    ASSERT_TRUE(fleetLog.open(log, error)) << error.toStdString();
    EXPECT_TRUE(contentOf(log).startsWith("\xEF\xBB\xBF\xD0\x92\xD1\x80\xD0\xB5\xD0\xBC\xD1\x8F;"));

    // The log gone and a folder in its place: the row waits.
    ASSERT_TRUE(QFile::rename(log, path("aside.csv")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("журнал.csv"));
    EXPECT_FALSE(fleetLog.append({"1", "первая"}, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(fleetLog.unwritten(), "1;первая\n");

    ASSERT_TRUE(QDir(dir.path()).rmdir("журнал.csv"));
    ASSERT_TRUE(QFile::rename(path("aside.csv"), log));
    EXPECT_TRUE(fleetLog.append({"2", "вторая"}, error));
    EXPECT_TRUE(fleetLog.unwritten().empty());
    EXPECT_TRUE(contentOf(log).endsWith("\n1;первая\n2;вторая\n")) << contentOf(log).toStdString();
}

// A settings file's name goes into the log as text, never as a formula.
TEST_F(FleetLogTest, ACellThatASpreadsheetWouldRunIsWrittenAsText) {
    const QString log = path("журнал.csv");
    FleetLog fleetLog(fleetLogColumns("SHA-256 файла"));
    QString error;
    ASSERT_TRUE(fleetLog.open(log, error)) << error.toStdString();
    ASSERT_TRUE(
        fleetLog.append({"-5", "=HYPERLINK(\"http:\\evil\",\"x\")+cmd|' C calc'!A0.ust"}, error));
    EXPECT_TRUE(contentOf(log).endsWith(
        "\n-5;\"'=HYPERLINK(\"\"http:\\evil\"\",\"\"x\"\")+cmd|' C calc'!A0.ust\"\n"))
        << contentOf(log).toStdString();
}

TEST(FleetPortLabel, NamesThePortOnce) {
    EXPECT_EQ(fleetPortLabel("COM1", "/dev/ttyUSB0", true), "COM1 (/dev/ttyUSB0)");
    EXPECT_EQ(fleetPortLabel("COM5", "COM5", true), "COM5");
    EXPECT_EQ(fleetPortLabel("COM5", "\\\\.\\COM5", true), "COM5");
    EXPECT_EQ(fleetPortLabel("COM3", "\\\\.\\CNCA0", true), "COM3 (\\\\.\\CNCA0)");
    EXPECT_EQ(fleetPortLabel("ttyUSB0", "/dev/ttyUSB0", false), "/dev/ttyUSB0");
}

} // namespace
} // namespace ksv
