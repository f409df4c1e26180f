// Every path the program shows uses the system's separators: Qt spells paths
// with "/", which on Windows (these cases run under Wine too) must not reach
// the user. The status bar, a message, the card, the command line's output
// and the fleet's backups.

#include "cli/cli_app.h"
#include "cli/print_card.h"
#include "image/defaults.h"
#include "operations/fleet_files.h"
#include "support/fake_image_host.h"
#include "support/message_recorder.h"
#include "support/test_app.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sstream>

namespace ksv {
namespace {

// Answers every file dialog with one name.
struct OneAnswer final : FileDialogs {
    QString name;
    QString openFileName(QWidget*, const QString&) override { return name; }
    QString saveFileName(QWidget*, const QString&) override { return name; }
    QString folderName(QWidget*, const QString&) override { return name; }
};

class ShownPaths : public ::testing::Test {
protected:
    ShownPaths() { test::testApp(); }
    // "<temporary folder>/Документы/<name>" as Qt spells it, and as the user reads it.
    QString qtPath(const QString& name) const { return dir.path() + "/Документы/" + name; }
    static QString shown(const QString& qt) {
        QString s = qt;
        return s.replace(QLatin1Char('/'), QDir::separator());
    }
    QTemporaryDir dir;
};

TEST_F(ShownPaths, StatusBarAndMessagesOfTheWindow) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("Документы"));
    test::FakeImageHost host;
    test::MessageRecorder messages;
    auto* dialogs = new OneAnswer;
    FileCommands commands(host, std::unique_ptr<FileDialogs>(dialogs));
    LoadDefault(rtVehicleVhf, host.current);

    dialogs->name = qtPath("654321.ust");
    commands.saveFile();
    EXPECT_EQ(host.file, qtPath("654321.ust"));
    MainWindow window(omUser);
    window.setFileInUse(host.file);
    EXPECT_EQ(window.statusPanel(1), "Файл: " + shown(qtPath("654321.ust")));
    dialogs->name = qtPath("нет такого.ust");
    commands.openFile();
    EXPECT_EQ(messages.texts(),
              QStringList{"Файл " + shown(qtPath("нет такого.ust")) + " не найден"});
}

TEST_F(ShownPaths, CardCommandLineAndFleetBackups) {
    const QString file = qtPath("654321.ust");
    EXPECT_EQ(cli::cardOfFile(defaultImage(rtVehicleVhf), omUser, file).fileField,
              "Файл: " + shown(file));

    std::ostringstream out, err;
    cli::CliIo io{out, err};
    EXPECT_EQ(cli::runCli({"new", "--type", "0", "-o", file}, io), 1); // no such folder yet
    EXPECT_EQ(err.str().rfind(("Файл " + shown(file) + " не записан: ").toStdString(), 0), 0u)
        << err.str();
    ASSERT_TRUE(QDir(dir.path()).mkpath("Документы"));
    EXPECT_EQ(cli::runCli({"new", "--type", "0", "-o", file}, io), 0);
    EXPECT_EQ(out.str(), ("Создан файл " + shown(file) + ": Тарвен-52\n").toStdString());

    QString error;
    const QString backup = saveBackup(dir.path() + "/Документы", defaultImage(rtVehicleVhf),
                                      QDateTime(QDate(2026, 12, 8), QTime(7, 3, 12)), error);
    EXPECT_EQ(backup, shown(qtPath("000000-20261208-070312.ust"))) << error.toStdString();
}

} // namespace
} // namespace ksv
