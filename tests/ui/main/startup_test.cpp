#include "form_fixture.h"

#include "image/checksum.h"
#include "image/defaults.h"
#include "ui/main/ui_font.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

namespace ksv::test {
namespace {

using StartUpTest = FormTest;

const QString kNoPort = QStringLiteral("Свободный COM порт не найден");

TEST_F(StartUpTest, UserModeStartUpLeavesTheDefaultImageWithStandbyOffAndAValidChecksum) {
    for (int type = 0; type < kRadioTypeCount; ++type) {
        SCOPED_TRACE(type);
        make(omUser);
        form->startUpWithType(type);

        Image expected = defaultImage(static_cast<RadioType>(type));
        for (int i = 0; i < 5; ++i)
            expected[11 + i] = kDetectorOff[i];
        setBit(expected[255], 1);
        expected[250] = CalcCRC(expected);
        EXPECT_EQ(image().bytes(), expected.bytes());
        EXPECT_EQ(form->rememberedRadioType(), type);
        // The port search found nothing: one error box, reading stays off.
        EXPECT_EQ(messages.texts(), QStringList{kNoPort});
        EXPECT_FALSE(form->findChild<QAction*>("readAction")->isEnabled());
        messages.clear();
    }
}

TEST_F(StartUpTest, MidBandStartUpMovesEveryReceiveFrequencyIntoTheMidBand) {
    const struct {
        int type;
        const char* text;
        const char* range;
    } cases[] = {{rtVehicleVhf, "149025", "Тарвен-52: 149025-171125 кГц"},
                 {rtStationaryUhf, "453025", "Тарвен-61: 453025-459975 кГц"}};
    for (const auto& k : cases) {
        start(omMidBand, k.type);
        EXPECT_EQ(form->findChild<QLabel*>("rangeLabel")->text(), QString::fromUtf8(k.range));
        for (int row = 1; row <= kChannelCount; ++row)
            EXPECT_EQ(cell(1, row), QString::fromUtf8(k.text)) << row;
        // No scrambler selection in this mode.
        EXPECT_TRUE(form->findChild<QToolBar*>("scramblerBar")->isHidden());
    }
}

TEST_F(StartUpTest, ModeDecidesRangesToneTabAndServiceItems) {
    start(omUser, rtVehicleUhf);
    EXPECT_EQ(form->findChild<QLabel*>("rangeLabel")->text(),
              QStringLiteral("Тарвен-62: 450000-453000, 460000-463000 кГц"));
    EXPECT_FALSE(form->toneTabShown()); // UHF image without tone signalling
    EXPECT_FALSE(form->findChild<QToolBar*>("scramblerBar")->isHidden());
    EXPECT_FALSE(form->findChild<QAction*>("rawEditorItem")->isVisible());
    EXPECT_FALSE(form->findChild<QAction*>("rawEditorSeparator")->isVisible());

    start(omUser, rtVehicleVhf);
    EXPECT_TRUE(form->toneTabShown());

    start(omService, rtVehicleUhf);
    EXPECT_EQ(form->findChild<QLabel*>("rangeLabel")->text(),
              QStringLiteral("Тарвен-62: 450000-470000 кГц"));
    EXPECT_TRUE(form->toneTabShown());
    EXPECT_TRUE(form->findChild<QAction*>("rawEditorItem")->isVisible());
    EXPECT_TRUE(form->findChild<QAction*>("rawEditorSeparator")->isVisible());
}

TEST_F(StartUpTest, TheUserChoosesTheTypeWhenTheWindowIsFirstShownAndAgainWithNew) {
    make(omUser, /*runStartUpOnShow=*/true);
    RadioTypeDialog* dialog = form->windows().radioTypeDialog;
    auto* list = dialog->findChild<QListWidget*>("typeList");
    auto* cancel = dialog->findChild<QPushButton*>("cancelButton");
    int shownRow = -1;
    bool cancelShown = true;
    whenShown(dialog, [&] {
        shownRow = list->currentRow();
        cancelShown = !cancel->isHidden();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Escape); // confirms, also in the start-up form
    });
    form->show();
    settle(); // the queued start-up runs the dialog's modal loop here
    EXPECT_EQ(form->rememberedRadioType(), 3);
    EXPECT_EQ(shownRow, 0);
    EXPECT_FALSE(cancelShown);
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(RsType(image()), rtVehicleUhf);
    EXPECT_EQ(messages.texts(), QStringList{kNoPort});
    // The channel page is open and its table has the keyboard focus, so that
    // the first keys reach the table, not a list of the tool bar.
    EXPECT_EQ(form->focusWidget(), form->grid());

    // Shown again (restored after minimising, say), the window does not run
    // the start-up sequence a second time.
    int shownAgain = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (dialog->isVisible()) {
            ++shownAgain;
            QTest::keyClick(list, Qt::Key_Return);
        }
    });
    watch.start(0);
    form->hide();
    form->show();
    settle();
    watch.stop();
    EXPECT_EQ(shownAgain, 0);
    EXPECT_EQ(messages.texts(), QStringList{kNoPort});

    // New offers the remembered type, with "Отмена"; cancelling keeps the image.
    editImage([](Image& im) { im[100] ^= 0xFF; });
    const Image before = image();
    whenShown(dialog, [&] {
        shownRow = list->currentRow();
        cancelShown = !cancel->isHidden();
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    form->newFile();
    EXPECT_EQ(shownRow, 3);
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(image(), before);
    EXPECT_EQ(programEnds, 0);
}

TEST_F(StartUpTest, ClosingTheStartUpDialogEndsTheProgramWithoutLoadingAnything) {
    make(omUser, /*runStartUpOnShow=*/true);
    RadioTypeDialog* dialog = form->windows().radioTypeDialog;
    whenShown(dialog, [dialog] { dialog->close(); });
    form->show();
    settle();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(image(), Image{});
    EXPECT_TRUE(messages.log.empty()); // neither port search nor exit question
}

} // namespace
} // namespace ksv::test

// A desktop font without Cyrillic (Wine without Windows' fonts resolves
// "MS Shell Dlg" to a math font) is replaced by a text font that has it.
TEST(UiFont, AFontWithoutCyrillicIsReplaced) {
    const QStringList cyrillic{"DejaVu Math TeX Gyre", "DejaVu Sans Mono", "DejaVu Serif",
                               "DejaVu Sans", "Tahoma"};
    const auto has = [&](const QString& f) { return cyrillic.contains(f); };
    const auto fixed = [](const QString& f) { return f.contains("Mono"); };
    const struct {
        QString current;
        QStringList installed;
        QString chosen;
    } cases[] = {
        {"DejaVu Sans", cyrillic, ""}, // has Cyrillic: kept
        {"MS Shell Dlg", cyrillic, "Tahoma"},
        {"MS Shell Dlg",
         {"DejaVu Math TeX Gyre", "DejaVu Sans Mono", "DejaVu Serif"},
         "DejaVu Serif"},
        {"MS Shell Dlg", {"DejaVu Math TeX Gyre", "DejaVu Sans Mono"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ksv::familyForCyrillic(c.current, c.installed, has, fixed), c.chosen)
            << c.current.toStdString();
}
