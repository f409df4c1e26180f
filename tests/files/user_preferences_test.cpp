// The user's preferences: what is stored comes back in a later run, a file
// that is missing or cannot be written costs nothing but the preference.

#include "files/user_preferences.h"
#include "support/scratch_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(UserPreferences, WhatIsStoredComesBackInALaterRun) {
    test::ScratchFolder scratch;
    const QString file = scratch.path(QStringLiteral("Настройки/KSV717N/ksv717n.ini"));
    EXPECT_TRUE(UserPreferences(file).windowGeometry().isEmpty());
    EXPECT_FALSE(UserPreferences(file).archiveFolder());

    const QByteArray geometry("\x01\xd9\xd0\xcb\x00\x03\x00\x00 \n=", 11);
    const QString folder = QStringLiteral("//server/мастерская/Архив");
    ASSERT_TRUE(UserPreferences(file).setWindowGeometry(geometry));
    ASSERT_TRUE(UserPreferences(file).setArchiveFolder(folder));
    EXPECT_EQ(UserPreferences(file).windowGeometry(), geometry);
    EXPECT_EQ(UserPreferences(file).archiveFolder(), folder);

    ASSERT_TRUE(UserPreferences(file).clearArchiveFolder());
    EXPECT_FALSE(UserPreferences(file).archiveFolder());
    EXPECT_EQ(UserPreferences(file).windowGeometry(), geometry);
}

TEST(UserPreferences, AFileThatCannotBeWrittenIsReportedAndChangesNothing) {
    test::ScratchFolder scratch;
    // A plain file where the folder should be: nothing can be created below it.
    const QString blocker = scratch.put(QStringLiteral("KSV717N"), "not a folder");
    const UserPreferences prefs(blocker + QStringLiteral("/ksv717n.ini"));
    QString reason;
    EXPECT_FALSE(prefs.setArchiveFolder(QStringLiteral("/tmp/a"), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("ksv717n.ini"))) << reason.toStdString();
    EXPECT_FALSE(prefs.archiveFolder());
}

} // namespace
} // namespace ksv
