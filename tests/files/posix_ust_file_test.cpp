// Settings files where only POSIX can arrange the failure: missing read
// permission and a read-only folder (checked as an unprivileged user), a
// write that breaks off midway (a file size limit), and devices that must
// never be opened.

#include "files/ust_file.h"
#include "image/defaults.h"
#include "support/scratch_folder.h"
#include "support/unprivileged.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace ksv;

namespace {

Image sampleImage() {
    Image im = defaultImage(rtStationaryVhf);
    im[232] = 0xA0;
    return im;
}

class UstFileOnPosix : public ::testing::Test, protected ksv::test::ScratchFolder {};

} // namespace

TEST_F(UstFileOnPosix, FileWithoutReadPermissionNamesFileAndReason) {
    const QString p = put(QStringLiteral("secret.ust"), bytesOf(sampleImage()));
    ASSERT_TRUE(QFile::setPermissions(p, QFileDevice::WriteOwner));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);

    const int rc = test::runUnprivileged([&] {
        Image im;
        const UstReadResult r = ReadUSTFile(p, im);
        if (r.status != UstReadStatus::Unreadable || im != Image())
            return 1;
        const QString text = readFailureMessage(r, p);
        return text == QStringLiteral("Файл ") + p +
                           QStringLiteral(" не удается прочитать: нет прав на чтение")
                   ? 0
                   : 2;
    });
    EXPECT_EQ(rc, 0);
}

TEST_F(UstFileOnPosix, SaveIntoReadOnlyFolderKeepsTheOldFile) {
    const QByteArray old(256, '\x42');
    const QString sub = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(sub));
    const QString p = sub + QStringLiteral("/card.ust");
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    // The file itself may be written; only the folder refuses new entries.
    ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(sub).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);

    const int rc = test::runUnprivileged([&] { return WriteUSTFile(p, sampleImage()).ok ? 1 : 0; });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(contentOf(p), old);
    EXPECT_EQ(QDir(sub).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("card.ust")});
    ::chmod(QFile::encodeName(sub).constData(), 0755);
}

TEST_F(UstFileOnPosix, WriteFailingMidwayKeepsTheOldFile) {
    const QByteArray old(256, '\x37');
    const QString p = put(QStringLiteral("card.ust"), old);

    // Files may grow to 100 bytes only: the 256-byte write breaks off midway
    // with EFBIG, as it would on a full disk.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const UstWriteResult r = WriteUSTFile(p, sampleImage());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(contentOf(p), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("card.ust")});
    EXPECT_EQ(writeFailureMessage(p), QStringLiteral("Файл ") + p + QStringLiteral(" не записан"));
}

// A device, FIFO or socket given as a settings file is refused before it is
// opened (opening a serial port raises its lines): no open reaches it, as
// the kernel's file events tell.
TEST_F(UstFileOnPosix, DevicesAreRefusedUnopened) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(::grantpt(terminal), 0);
    ASSERT_EQ(::unlockpt(terminal), 0);
    const QString fifo = path(QStringLiteral("pipe.ust"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = path(QStringLiteral("socket.ust"));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    for (const QString& device : {QString::fromLocal8Bit(::ptsname(terminal)), fifo, socketPath}) {
        const int events = ::inotify_init1(IN_NONBLOCK);
        ASSERT_GE(::inotify_add_watch(events, QFile::encodeName(device).constData(), IN_OPEN), 0);
        Image im;
        const UstReadResult r = ReadUSTFile(device, im);
        EXPECT_EQ(r.status, UstReadStatus::Unreadable) << device.toStdString();
        EXPECT_FALSE(WriteUSTFile(device, im).ok);
        char buffer[4096];
        EXPECT_LT(::read(events, buffer, sizeof buffer), 0) << device.toStdString() << " opened";
        ::close(events);
    }
    ::close(sock);
    ::close(terminal);
}
