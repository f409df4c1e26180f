// Nothing is stored besides the user's files: the tests run in a home of
// their own, and Qt's file dialog leaves no settings file behind.

#include "ui/dialogs/file_dialogs.h"
#include "ui/main/no_stored_settings.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

TEST(NothingStored, TestsRunInAHomeOfTheirOwn) {
    const QString home = qEnvironmentVariable("HOME");
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_NE(QDir(home).canonicalPath(),
              QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath());
    EXPECT_TRUE(QDir(home).exists());
    EXPECT_EQ(qEnvironmentVariable("XDG_CONFIG_HOME"), home + "/.config");
}

TEST(NothingStored, QtFileDialogWritesNoSettingsFile) {
    ksv::storeNoQtSettings();
    ksv::makeOpenDialog(nullptr, QDir::tempPath() + "/a.ust")
        ->show(); // saves its state when closed
    QSettings(QSettings::UserScope, QStringLiteral("QtProject")).setValue("probe", 1);
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    EXPECT_FALSE(QFile::exists(config + "/QtProject.conf"));
    EXPECT_FALSE(QFile::exists(QDir::homePath() + "/.config/QtProject.conf"));
}

} // namespace
