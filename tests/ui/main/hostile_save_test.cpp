// Save into places that refuse it: a full disk (a file size limit set in a
// child process), a read-only folder, a read-only file, and a target that
// became a folder or a FIFO after the user chose it. The message names the
// file, the status bar keeps the earlier file, the file that was there is
// untouched and no temporary file is left behind.
#include "hostile_fixture.h"
#include "support/unprivileged.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ksv;
using namespace ksv::test;

namespace {

// Runs check in a child process whose files may not grow beyond limit
// bytes, as on a disk that is full; the result is its exit status.
int runWithFileSizeLimit(rlim_t limit, const std::function<int()>& check) {
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit small{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
            ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

// The save as the user sees it: exactly one message naming the file, and the
// status bar unchanged. 0 when so, otherwise a code that says what differed.
class HostileSave : public HostileFiles {
protected:
    int saveFails(const QString& name) {
        messages.clear();
        dialogs->answer = name;
        commands.saveFile();
        if (messages.texts() != QStringList{writeFailureMessage(name)})
            return 1;
        return host.file == QStringLiteral("/earlier/card.ust") ? 0 : 2;
    }
};

TEST_F(HostileSave, FullDiskKeepsTheOldFileAndLeavesNothingBehind) {
    const QByteArray old(256, '\x42');
    const QString existing = put(QStringLiteral("card.ust"), old);
    const QString fresh = path(QStringLiteral("new.ust"));

    EXPECT_EQ(runWithFileSizeLimit(100, [&] { return saveFails(existing); }), 0);
    EXPECT_EQ(runWithFileSizeLimit(100, [&] { return saveFails(fresh); }), 0);
    EXPECT_EQ(runWithFileSizeLimit(0, [&] { return saveFails(existing); }), 0);

    EXPECT_EQ(contentOf(existing), old);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("card.ust")});
}

TEST_F(HostileSave, ReadOnlyFolderAndReadOnlyFileAreLeftAlone) {
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QByteArray old(256, '\x17');

    // A folder the user may not write into, holding a file the user may write.
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString inLocked = locked + QStringLiteral("/card.ust");
    {
        QFile f(inLocked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(inLocked).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0555), 0);

    // A read-only file in a folder the user may write into: replacing it by
    // a rename would succeed, but the user marked it as not to be changed.
    const QString open = path(QStringLiteral("open"));
    ASSERT_TRUE(QDir().mkdir(open));
    ASSERT_EQ(::chmod(QFile::encodeName(open).constData(), 0777), 0);
    const QString readOnly = open + QStringLiteral("/card.ust");
    {
        QFile f(readOnly);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);

    EXPECT_EQ(runUnprivileged([&] { return saveFails(inLocked); }), 0);
    EXPECT_EQ(runUnprivileged([&] { return saveFails(readOnly); }), 0);

    EXPECT_EQ(contentOf(inLocked), old);
    EXPECT_EQ(contentOf(readOnly), old);
    EXPECT_EQ(entries(locked), QStringList{QStringLiteral("card.ust")});
    EXPECT_EQ(entries(open), QStringList{QStringLiteral("card.ust")});
    ::chmod(QFile::encodeName(locked).constData(), 0755);
}

TEST_F(HostileSave, TargetThatChangedAfterTheChoiceIsNotReplaced) {
    const QString becomesFolder = put(QStringLiteral("folder.ust"), QByteArray(256, '\x01'));
    dialogs->afterChoice = [&] {
        QFile::remove(becomesFolder);
        QDir().mkdir(becomesFolder);
    };
    EXPECT_EQ(saveFails(becomesFolder), 0);
    EXPECT_TRUE(QFileInfo(becomesFolder).isDir());

    const QString becomesFifo = put(QStringLiteral("pipe.ust"), QByteArray(256, '\x02'));
    dialogs->afterChoice = [&] {
        QFile::remove(becomesFifo);
        ::mkfifo(QFile::encodeName(becomesFifo).constData(), 0600);
    };
    EXPECT_EQ(saveFails(becomesFifo), 0);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(becomesFifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    EXPECT_EQ(entries(dir.path()),
              (QStringList{QStringLiteral("folder.ust"), QStringLiteral("pipe.ust")}));
}
