#include "files/ust_file.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "support/fake_image_host.h"
#include "support/message_recorder.h"
#include "ui/main/file_commands.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

using namespace ksv;
using ksv::test::FakeImageHost;
using ksv::test::MessageRecorder;

namespace {

// Answers the file dialogs from queues and remembers what was proposed.
struct ScriptedDialogs final : FileDialogs {
    std::deque<QString> openAnswers; // empty text: cancelled
    std::deque<QString> saveAnswers;
    QStringList openProposals;
    QStringList saveProposals;

    QString openFileName(QWidget*, const QString& proposed) override {
        openProposals << proposed;
        return next(openAnswers);
    }
    QString saveFileName(QWidget*, const QString& proposed) override {
        saveProposals << proposed;
        return next(saveAnswers);
    }
    QString folderName(QWidget*, const QString&) override { return {}; }
    static QString next(std::deque<QString>& q) {
        if (q.empty())
            return {};
        QString a = q.front();
        q.pop_front();
        return a;
    }
};

class FileCommandsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeImageHost host;
    MessageRecorder messages;
    ScriptedDialogs* dialogs = new ScriptedDialogs;
    FileCommands commands{host, std::unique_ptr<FileDialogs>(dialogs)};

    FileCommandsTest() {
        // The state after start-up: the default image passed once through the window.
        host.remembered = rtVehicleVhf;
        LoadDefault(rtVehicleVhf, host.current);
        host.commitEdits();
        host.calls.clear();
    }

    QString writeFile(const QString& name, const Image& im) const {
        const QString p = dir.filePath(name);
        EXPECT_TRUE(WriteUSTFile(p, im).ok);
        return p;
    }
};

} // namespace

TEST_F(FileCommandsTest, OpenShowsTheFilesOwnTypeAndKeepsTheRememberedOne) {
    Image uhf = defaultImage(rtStationaryUhf);
    uhf.setChecksum(
        static_cast<std::uint8_t>(uhf.checksum() ^ 0xFF)); // a wrong checksum opens without remark
    const QString p = writeFile(QStringLiteral("uhf.ust"), uhf);

    dialogs->openAnswers = {p};
    commands.openFile();

    EXPECT_TRUE(messages.log.empty());
    EXPECT_EQ(host.current, uhf);
    EXPECT_EQ(host.lastShown, uhf);
    EXPECT_EQ(RsType(host.current), rtStationaryUhf);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("ShowBuf")}); // no store before or after
    EXPECT_EQ(host.file, p);
    EXPECT_EQ(host.remembered, rtVehicleVhf);

    // New still offers the remembered VHF type, and loads what is chosen.
    host.newTypeAnswer = rtRepeaterVhf;
    commands.newFile();
    EXPECT_EQ(host.preselectedForNew, rtVehicleVhf);
    EXPECT_EQ(host.current, defaultImage(rtRepeaterVhf));
    EXPECT_EQ(host.file, QString());
}

TEST_F(FileCommandsTest, FailedOpenChangesNothingButTheDialogsName) {
    const QString opened = writeFile(QStringLiteral("first.ust"), defaultImage(rtVehicleUhf));
    dialogs->openAnswers = {opened};
    commands.openFile();
    const Image before = host.current;
    host.calls.clear();

    QFile shortFile(dir.filePath(QStringLiteral("short.ust")));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(255, '\x01'));
    shortFile.close();
    const QString missing = dir.filePath(QStringLiteral("missing.ust"));
    dialogs->openAnswers = {shortFile.fileName(), missing};
    commands.openFile();
    commands.openFile();

    EXPECT_EQ(
        messages.texts(),
        (QStringList{QStringLiteral("Файл ") + shortFile.fileName() + QStringLiteral(" поврежден"),
                     QStringLiteral("Файл ") + missing + QStringLiteral(" не найден")}));
    EXPECT_EQ(messages.log.front().kind, test::RecordedMessage::Error);
    EXPECT_EQ(host.current, before);
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(host.file, opened);

    // The open dialog keeps the last accepted name, readable or not.
    EXPECT_EQ(dialogs->openProposals.last(), shortFile.fileName());
    EXPECT_EQ(commands.openDialogFileName(), missing);
}

TEST_F(FileCommandsTest, SaveProposesFactoryNumberUntilAFileWasOpened) {
    commands.saveFile(); // cancelled
    EXPECT_EQ(dialogs->saveProposals, QStringList{QStringLiteral("000000")});
    EXPECT_TRUE(host.calls.isEmpty()); // a cancelled save does not even store the window

    ZnToBuf(4711, host.current);
    commands.saveFile();
    EXPECT_EQ(dialogs->saveProposals.last(), QStringLiteral("004711"));

    // Open, then New: the opened name is still proposed, not the factory number.
    const QString p = writeFile(QStringLiteral("opened.ust"), defaultImage(rtVehicleVhf));
    dialogs->openAnswers = {p};
    commands.openFile();
    host.newTypeAnswer = rtStationaryVhf;
    commands.newFile();
    commands.saveFile();
    EXPECT_EQ(dialogs->saveProposals.last(), p);
    EXPECT_EQ(host.file, QString());
}

TEST_F(FileCommandsTest, SaveStoresTheWindowAndReopensTheSameBytes) {
    host.current[240] = 0x99; // a byte the program does not interpret travels unchanged
    const QString p = dir.filePath(QStringLiteral("card.ust"));
    dialogs->saveAnswers = {p};
    commands.saveFile();

    EXPECT_TRUE(messages.log.empty());
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("SetBuf")});
    EXPECT_EQ(host.file, p);
    const Image saved = host.current;
    EXPECT_TRUE(CheckCRC(saved));

    host.current = defaultImage(rtRepeaterUhf);
    dialogs->openAnswers = {p};
    commands.openFile();
    EXPECT_EQ(host.current, saved);
}

TEST_F(FileCommandsTest, FailedSaveNamesTheFileAndKeepsTheStatus) {
    const QString p = dir.filePath(QStringLiteral("no/such/folder/card.ust"));
    dialogs->saveAnswers = {p};
    commands.saveFile();

    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Файл ") + p + QStringLiteral(" не записан")});
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("SetBuf")});
    EXPECT_EQ(host.file, QString());
}

TEST_F(FileCommandsTest, CancelledNewChangesNothing) {
    host.file = QStringLiteral("/x/a.ust");
    const Image before = host.current;
    host.newTypeAnswer.reset();
    commands.newFile();
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("chooseType")});
    EXPECT_EQ(host.current, before);
    EXPECT_EQ(host.file, QStringLiteral("/x/a.ust"));
}

TEST_F(FileCommandsTest, FailedDisplayIsReported) {
    int terminated = 0;
    commands.setTerminate([&] { ++terminated; });
    host.showBufResult = false;

    host.newTypeAnswer = rtVehicleUhf;
    commands.newFile();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Ошибка #2. Программа будет закрыта.")});
    EXPECT_EQ(terminated, 1);

    messages.clear();
    const QString p = writeFile(QStringLiteral("a.ust"), defaultImage(rtVehicleVhf));
    dialogs->openAnswers = {p};
    commands.openFile();
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Файл ") + p + QStringLiteral(" поврежден")});
    EXPECT_EQ(host.file, QString());
    EXPECT_EQ(terminated, 1);
}
