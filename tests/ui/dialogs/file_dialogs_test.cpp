#include "support/test_app.h"
#include "ui/dialogs/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ksv;

TEST(FileDialogs, OpenAndSaveAreQtDialogsForSettingsFiles) {
    test::testApp();
    QTemporaryDir dir;

    const auto open = makeOpenDialog(nullptr, dir.filePath(QStringLiteral("a.ust")));
    EXPECT_EQ(open->windowTitle(), QStringLiteral("Открытие файла"));
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile); // names that do not exist are accepted
    EXPECT_TRUE(open->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(open->nameFilters(), QStringList{QStringLiteral("Файл установок (*.ust)")});
    EXPECT_EQ(open->defaultSuffix(), QStringLiteral("ust"));

    const auto save = makeSaveDialog(nullptr, dir.filePath(QStringLiteral("000000")));
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->nameFilters(), open->nameFilters());
    // A proposed name without extension is returned with ".ust".
    EXPECT_EQ(save->selectedFiles(), QStringList{dir.filePath(QStringLiteral("000000.ust"))});
}

// A bare name starts in the folder of the last file accepted, at first in
// the documents folder: never in the program's own folder.
TEST(FileDialogs, BareProposalStartsInTheLastFolderOrTheDocuments) {
    const struct {
        QString proposed, lastFolder, expected;
    } cases[] = {
        {"000000", "", "/home/ivan/Документы/000000"},
        {"000000", "/srv/станции", "/srv/станции/000000"},
        {"/srv/a.ust", "/tmp", "/srv/a.ust"},
        {"C:\\Users\\a.ust", "/tmp", "C:\\Users\\a.ust"},
        {"", "/tmp", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(proposalInFolder(c.proposed, c.lastFolder, "/home/ivan/Документы"), c.expected);
}

// A series folder not made yet: the dialog opens in the nearest folder that exists.
TEST(FileDialogs, FolderDialogOpensWhereTheProposedFolderWouldBe) {
    test::testApp();
    QTemporaryDir dir;
    const auto folder = makeFolderDialog(nullptr, dir.filePath(QStringLiteral("KSV717N/Серия 1")));
    EXPECT_EQ(folder->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(folder->testOption(QFileDialog::ShowDirsOnly));
    EXPECT_EQ(folder->directory().absolutePath(), QDir(dir.path()).absolutePath());
}

// The filter names only "*.ust", and upper-case names are listed as well.
TEST(FileDialogs, FilterListsUpperCaseNamesToo) {
    test::testApp();
    QTemporaryDir dir;
    for (const char* name : {"RADIO.UST", "cars.ust", "notes.txt"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    const auto open = makeOpenDialog(nullptr, QString());
    open->setDirectory(dir.path());
    open->show();
    const auto* view = open->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(view, nullptr);
    QStringList listed; // the files the user can pick
    const auto listedBoth = [&] {
        listed.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QModelIndex item = view->model()->index(row, 0, root);
            if (item.flags() & Qt::ItemIsEnabled)
                listed << item.data().toString();
        }
        listed.sort();
        return listed.size() >= 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(listedBoth, 10000));
    EXPECT_EQ(listed, (QStringList{"RADIO.UST", "cars.ust"}));
}

namespace {

// Answers the next message box with button once it is open, and records its text.
void answerNextBox(QMessageBox::StandardButton button, QString* text) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        *text = box->text();
        box->button(button)->click();
    });
    timer->start(0);
}

// Types name into the dialog's file name field and presses Enter.
void typeAndAccept(QFileDialog& d, const QString& name) {
    d.show();
    auto* edit = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

TEST(FileDialogs, TypedNameGetsTheSuffixBeforeTheOverwriteQuestion) {
    test::testApp();
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("cars.ust")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();

    QString question;
    const auto save = makeSaveDialog(nullptr, dir.filePath(QStringLiteral("000000")));
    answerNextBox(QMessageBox::Yes, &question);
    typeAndAccept(*save, QStringLiteral("cars"));
    EXPECT_TRUE(question.contains(QStringLiteral("cars.ust"))) << question.toStdString();
    EXPECT_EQ(save->result(), QDialog::Accepted);
    EXPECT_EQ(save->selectedFiles(), QStringList{old.fileName()});

    // A name that does not exist is accepted by the open dialog: reading it
    // reports the missing file by name.
    const auto open = makeOpenDialog(nullptr, QString());
    open->setDirectory(dir.path());
    typeAndAccept(*open, QStringLiteral("missing.ust"));
    EXPECT_EQ(open->result(), QDialog::Accepted);
    EXPECT_EQ(open->selectedFiles(), QStringList{dir.filePath(QStringLiteral("missing.ust"))});
}
