// The archive in the window: where F4 kept its state, the question before a
// write whose state could not be kept, the archive window and the
// comparison with the set, against the simulator on COM1.
#include "files/state_archive.h"
#include "form_fixture.h"
#include "formats/image_diff.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "link/port_line.h"
#include "support/sim_on_port.h"
#include "ui/archive/archive_dialog.h"
#include "ui/archive/archive_models.h"
#include "ui/archive/radio_compare_dialog.h"
#include "ui/archive/window_archive.h"
#include "ui/main/file_commands.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace ksv::test {
namespace {

Image radioImage(std::uint32_t number = 654321) {
    MainWindow window(omUser);
    Image im = defaultImage(rtVehicleVhf);
    ZnToBuf(number, im);
    window.showImage(im);
    window.commitEdits();
    return window.currentImage();
}

// Runs act on the modal window of that name once it is shown.
void whenModal(const char* name, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != QLatin1String(name))
            return;
        timer->stop();
        timer->deleteLater();
        act(w);
    });
    timer->start(5);
}

class ArchiveWindowTest : public FormTest {
protected:
    void SetUp() override {
        qputenv("KSV717N_ARCHIVE", QFile::encodeName(root()));
        com1->setImage(radioImage());
        com1->start();
        start(omUser, rtVehicleVhf);
        form->windows().line->exchange().setTimings({200, 10});
        ASSERT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM1"));
    }
    void TearDown() override { qputenv("KSV717N_ARCHIVE", saved); }
    QString root() const { return dir.filePath(QStringLiteral("Архив")); }
    void key(QKeyCombination k) {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), k.key(), k.keyboardModifiers());
    }

    QByteArray saved = qgetenv("KSV717N_ARCHIVE");
    QTemporaryDir dir;
    SimOnPort com1{1, Image{}, 0, SimOnPort::Start::Later};
};

// A long file path stays whole; the archive panel takes the rest, shortened.
TEST_F(ArchiveWindowTest, TheFilePanelKeepsItsWholePathBesideTheArchivePanel) {
    key(Qt::Key_F4);
    form->setFileInUse(QStringLiteral("/home/мастер/Заказчики/Автобаза №3/654321.ust"));
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const auto* file = form->statusBar()->findChild<QLabel*>(QStringLiteral("filePanel"));
    const auto* kept = form->statusBar()->findChild<QLabel*>(QStringLiteral("ArchivePanel"));
    ASSERT_TRUE(file && kept);
    EXPECT_GE(file->width(), file->sizeHint().width());
    EXPECT_LT(kept->width(), kept->fontMetrics().horizontalAdvance(kept->text()));
    EXPECT_GT(kept->width(), kept->minimumSizeHint().width());
    EXPECT_LE(kept->geometry().right(), form->statusBar()->width());
}

TEST_F(ArchiveWindowTest, StatusBarSaysWhereTheReadWasKeptAndAWriteAsksWithoutIt) {
    key(Qt::Key_F4);
    EXPECT_EQ(archiveStatus(*form),
              QStringLiteral("Архив: 654321/") +
                  QDir(StateArchive(root()).states("654321")[0].path).dirName());
    key(Qt::Key_F4);
    EXPECT_TRUE(archiveStatus(*form).startsWith(QStringLiteral("Архив: без изменений, 654321/")));

    // A file where the archive's folder would be: the question, No by
    // default; No sends nothing after the read, Yes writes.
    QFile(dir.filePath(QStringLiteral("занято"))).open(QIODevice::WriteOnly);
    qputenv("KSV717N_ARCHIVE", QFile::encodeName(dir.filePath(QStringLiteral("занято/Архив"))));
    editImage([](Image& im) { im.setRxCode(3, 32); }); // a change to write
    for (const bool yes : {false, true}) {
        messages.clear();
        messages.answers = {yes};
        com1->clearLog();
        key(Qt::Key_F5);
        ASSERT_FALSE(messages.log.empty());
        EXPECT_EQ(messages.log.front(),
                  (RecordedMessage{RecordedMessage::Question,
                                   QStringLiteral("Исходные установки радиостанции не сохранены в "
                                                  "архиве: на месте папки ") +
                                       dir.filePath(QStringLiteral("занято")) +
                                       QStringLiteral(" — файл. Записать всё равно?")}));
        EXPECT_EQ(com1->records().empty(), !yes);
    }
}

TEST_F(ArchiveWindowTest, ArchiveWindowListsOpensAndCompares) {
    key(Qt::Key_F4);
    Image changed = radioImage();
    changed.setRxCode(2, 40);
    com1->setImage(changed);
    key(Qt::Key_F4);
    StateArchive(root()).keep(radioImage(100001));

    const StateArchive kept(root());
    ArchiveDialog archive(kept,
                          {[&](const QString& path) { form->windows().files->openPath(path); },
                           [&] { return form->currentImage(); }});
    auto* sets = archive.findChild<QTableView*>("SetsList");
    EXPECT_EQ(sets->model()->rowCount(), 2);
    archive.findChild<QLineEdit*>("NumberFilter")->setText(QStringLiteral("543"));
    ASSERT_EQ(sets->model()->rowCount(), 1);
    auto* states = archive.findChild<QTableView*>("StatesList");
    ASSERT_EQ(states->model()->rowCount(), 2);
    EXPECT_TRUE(archive.chosenState()->path.contains(QStringLiteral("/0002_")));
    EXPECT_EQ(states->model()->index(1, KeptStatesModel::Mark).data(), QStringLiteral("исходные"));

    states->selectRow(1);
    archive.findChild<QPushButton*>("CompareStateButton")->click();
    QStringList expected;
    for (const auto& c : formats::compareImages(radioImage(), changed))
        expected << QString::fromStdString(formats::formatChange(c));
    QStringList shown;
    auto* differences = archive.findChild<QListWidget*>("Differences");
    for (int i = 0; i < differences->count(); ++i)
        shown << differences->item(i)->text();
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(shown.isEmpty());

    archive.findChild<QPushButton*>("OpenStateButton")->click();
    EXPECT_EQ(form->currentImage(), radioImage());
    EXPECT_EQ(form->statusPanel(1), QStringLiteral("Файл: ") + archive.chosenState()->path);
}

// Ctrl+F5 reads the set and lists what F5 would change; «Закрыть» sends
// nothing more, «Записать» runs F5; a refusal is shown instead of the list.
TEST_F(ArchiveWindowTest, ComparisonWithTheSetShowsWhatAWriteWouldChange) {
    Image edited = radioImage();
    edited.setRxCode(5, 33);
    form->showImage(edited);
    QStringList expected;
    for (const auto& c : formats::compareImages(radioImage(), edited))
        if (c.subject.rfind("Канал", 0) == 0)
            expected << QString::fromStdString(formats::formatChange(c));
    for (const bool write : {false, true}) {
        QStringList listed;
        whenModal("RadioCompareDialog", [&](QWidget* w) {
            auto* compare = static_cast<RadioCompareDialog*>(w);
            listed = compare->changes();
            w->findChild<QPushButton*>(write ? "WriteButton" : "CloseButton")->click();
        });
        key(QKeyCombination(Qt::ControlModifier, Qt::Key_F5));
        EXPECT_EQ(listed.mid(0, expected.size()), expected);
        EXPECT_EQ(com1->image().rxCode(5), write ? 33 : radioImage().rxCode(5));
    }

    form->showImage(defaultImage(rtVehicleUhf));
    QString summary;
    bool offered = true;
    whenModal("RadioCompareDialog", [&](QWidget* w) {
        summary = static_cast<RadioCompareDialog*>(w)->summary();
        offered = static_cast<RadioCompareDialog*>(w)->writeOffered();
        static_cast<QDialog*>(w)->reject();
    });
    key(QKeyCombination(Qt::ControlModifier, Qt::Key_F5));
    EXPECT_EQ(summary, QStringLiteral("Приемопередатчик предназначен для метрового диапазона"));
    EXPECT_FALSE(offered);
}

} // namespace
} // namespace ksv::test
