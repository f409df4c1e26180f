// Open on what a file system can present instead of a settings file, also
// when it changes between the user's choice in the dialog and the read:
// every attempt ends at once with one message that names the file, and the
// window keeps its image, its display and its status bar.
#include "hostile_fixture.h"

#include <QElapsedTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ksv;
using namespace ksv::test;

namespace {

QByteArray native(const QString& p) {
    return QFile::encodeName(p);
}

struct Target {
    const char* what;
    // Prepares the file system before the dialog; returns the name chosen.
    std::function<QString()> prepare;
    // Changes it after the choice, before the read (may be empty).
    std::function<void(const QString&)> afterChoice;
};

} // namespace

TEST_F(HostileFiles, OpenRefusesEverythingButASettingsFileAndNamesIt) {
    const QByteArray good = bytesOf(defaultImage(rtStationaryUhf));
    const auto makeFifo = [](const QString& p) {
        ASSERT_EQ(::mkfifo(native(p).constData(), 0600), 0);
    };
    const Target targets[] = {
        {"a folder",
         [&] {
             QDir(dir.path()).mkdir(QStringLiteral("folder.ust"));
             return path(QStringLiteral("folder.ust"));
         },
         {}},
        {"a FIFO without a writer",
         [&] {
             makeFifo(path(QStringLiteral("pipe.ust")));
             return path(QStringLiteral("pipe.ust"));
         },
         {}},
        {"a 1 GB file",
         [&] {
             QFile f(path(QStringLiteral("big.ust")));
             EXPECT_TRUE(f.open(QIODevice::WriteOnly));
             EXPECT_TRUE(f.resize(qint64(1) << 30)); // sparse
             return f.fileName();
         },
         {}},
        {"a device", [] { return QStringLiteral("/dev/null"); }, {}},
        {"a dangling link",
         [&] {
             QFile::link(path(QStringLiteral("nowhere.ust")), path(QStringLiteral("link.ust")));
             return path(QStringLiteral("link.ust"));
         },
         {}},
        {"a loop of links",
         [&] {
             QFile::link(path(QStringLiteral("b.ust")), path(QStringLiteral("a.ust")));
             QFile::link(path(QStringLiteral("a.ust")), path(QStringLiteral("b.ust")));
             return path(QStringLiteral("a.ust"));
         },
         {}},
        {"a file removed after the choice", [&] { return put(QStringLiteral("gone.ust"), good); },
         [](const QString& p) { ASSERT_TRUE(QFile::remove(p)); }},
        {"a file replaced by a folder after the choice",
         [&] { return put(QStringLiteral("now-folder.ust"), good); },
         [](const QString& p) {
             ASSERT_TRUE(QFile::remove(p));
             ASSERT_TRUE(QDir().mkdir(p));
         }},
        {"a file replaced by a FIFO after the choice",
         [&] { return put(QStringLiteral("now-pipe.ust"), good); },
         [&](const QString& p) {
             ASSERT_TRUE(QFile::remove(p));
             makeFifo(p);
         }},
        {"a file cut short after the choice", [&] { return put(QStringLiteral("cut.ust"), good); },
         [](const QString& p) { ASSERT_EQ(::truncate(native(p).constData(), 100), 0); }},
    };

    const Image before = host.current;
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        messages.clear();
        const QString name = t.prepare();
        dialogs->answer = name;
        dialogs->afterChoice = t.afterChoice ? std::function<void()>([&] { t.afterChoice(name); })
                                             : std::function<void()>();
        QElapsedTimer clock;
        clock.start();
        commands.openFile();
        EXPECT_LT(clock.elapsed(), 2000);

        ASSERT_EQ(messages.log.size(), 1u);
        EXPECT_EQ(messages.log.front().kind, RecordedMessage::Error);
        EXPECT_TRUE(messages.log.front().text.startsWith(QStringLiteral("Файл ") + name + ' '))
            << messages.log.front().text.toStdString();
        EXPECT_EQ(host.current, before);
        EXPECT_TRUE(host.calls.isEmpty());
        EXPECT_EQ(host.file, QStringLiteral("/earlier/card.ust"));
    }
}
