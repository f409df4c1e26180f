// The factory number dialog, opened by a click on the factory number label
// of the main window.
#include "form_fixture.h"
#include "ui/dialogs/factory_number_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace ksv::test {
namespace {

class FactoryNumberDialogTest : public FormTest {
protected:
    void startIn(OperatingMode mode) {
        start(mode, rtVehicleUhf);
        sn = form->windows().factoryNumberDialog;
        label = form->findChild<QLabel*>("factoryNumberLabel");
        editImage([&](Image& im) { ZnToBuf(654321, im); });
        form->refreshFromImage();
        before = image();
    }
    // Clicks the label; act runs in the open dialog and must close it.
    void openWith(std::function<void()> act) {
        whenShown(sn, std::move(act));
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_FALSE(sn->isVisible());
    }
    void retype(const char* text) {
        sn->numberEdit->selectAll();
        QTest::keyClick(sn->numberEdit, Qt::Key_Backspace);
        QTest::keyClicks(sn->numberEdit, text);
    }

    FactoryNumberDialog* sn = nullptr;
    QLabel* label = nullptr;
    Image before;
};

TEST_F(FactoryNumberDialogTest, TakesSixDigitsAtMostAndStartsFromTheImage) {
    startIn(omService);
    QString shown, typed, afterBackspace;
    bool focused = false;
    openWith([&] {
        shown = sn->numberEdit->text();
        focused = sn->focusWidget() == sn->numberEdit;
        retype("12a3-4 56.78");
        typed = sn->numberEdit->text();
        QTest::keyClick(sn->numberEdit, Qt::Key_Backspace);
        afterBackspace = sn->numberEdit->text();
        QTest::keyClick(sn->numberEdit, Qt::Key_Escape);
    });
    EXPECT_EQ(shown, QStringLiteral("654321"));
    EXPECT_TRUE(focused);
    EXPECT_EQ(typed, QStringLiteral("123456"));
    EXPECT_EQ(afterBackspace, QStringLiteral("12345"));
    EXPECT_EQ(image(), before);
    EXPECT_TRUE(messages.log.empty());
}

TEST_F(FactoryNumberDialogTest, OkWithTheBoxTickedStoresTheNumberAndKeepsTheBand) {
    startIn(omService);
    openWith([&] {
        sn->allowChangeBox->setChecked(true);
        retype("123");
        QTest::keyClick(sn->numberEdit, Qt::Key_Return); // Enter acts as OK
    });
    EXPECT_EQ(image()[226], 0x7B);
    EXPECT_EQ(image()[227], 0x00);
    EXPECT_EQ(image()[228], 0x02); // number bits 16-19 zero, UHF band kept
    EXPECT_EQ(label->text(), QStringLiteral("Зав. №: 000123"));

    // The box stays ticked between openings.
    bool stillTicked = false;
    openWith([&] {
        stillTicked = sn->allowChangeBox->isChecked();
        retype("999999");
        sn->okButton->setFocus();
        QTest::keyClick(sn->okButton, Qt::Key_Return); // Enter on the focused OK
        if (sn->isVisible())
            sn->reject(); // (so that a dialog ignoring the key fails the test, not hangs it)
    });
    EXPECT_TRUE(stillTicked);
    EXPECT_EQ(image()[226], 0x3F);
    EXPECT_EQ(image()[227], 0x42);
    EXPECT_EQ(image()[228], 0xF2);
    EXPECT_TRUE(form->numberChangeAllowed());
    EXPECT_TRUE(messages.log.empty());
}

// The image holds 20 bits: a seven-digit number is shown and kept in full,
// while typing stays limited to six digits.
TEST_F(FactoryNumberDialogTest, SevenDigitNumberIsKeptInFull) {
    startIn(omService);
    for (const char* number : {"1000000", "1048575"}) {
        editImage([&](Image& im) { ZnToBuf(QString::fromLatin1(number).toUInt(), im); });
        form->refreshFromImage();
        const Image opened = image();
        QString shown, afterTyping;
        openWith([&] {
            shown = sn->numberEdit->text();
            sn->numberEdit->end(false);
            QTest::keyClicks(sn->numberEdit, "9");
            QTest::keyClick(sn->numberEdit, Qt::Key_Left);
            QTest::keyClicks(sn->numberEdit, "0");
            afterTyping = sn->numberEdit->text();
            sn->allowChangeBox->setChecked(true);
            QTest::keyClick(sn->numberEdit, Qt::Key_Return);
        });
        EXPECT_EQ(shown, number);
        EXPECT_EQ(afterTyping, number);
        EXPECT_EQ(image(), opened);
        EXPECT_EQ(label->text(), QStringLiteral("Зав. №: ") + number);
    }
    EXPECT_TRUE(messages.log.empty());
}

TEST_F(FactoryNumberDialogTest, NothingChangesWithoutANumberOrWithoutTheBoxOrOnEscape) {
    startIn(omService);
    // Empty field: the dialog says so and stays open.
    bool openAfterError = false;
    openWith([&] {
        sn->allowChangeBox->setChecked(true);
        retype("");
        QTest::keyClick(sn->numberEdit, Qt::Key_Return);
        openAfterError = sn->isVisible();
        QTest::keyClick(sn->numberEdit, Qt::Key_Escape);
    });
    EXPECT_TRUE(openAfterError);
    EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{
                                {RecordedMessage::Error, QStringLiteral("Номер не введен")}}));
    EXPECT_EQ(image(), before);

    // A number typed, then Escape on OK.
    messages.clear();
    openWith([&] {
        retype("111");
        sn->okButton->setFocus();
        QTest::keyClick(sn->okButton, Qt::Key_Escape);
    });
    EXPECT_EQ(image(), before);

    // Box not ticked: OK closes, the typed number is ignored.
    openWith([&] {
        sn->allowChangeBox->setChecked(false);
        retype("222");
        QTest::mouseClick(sn->okButton, Qt::LeftButton);
    });
    EXPECT_EQ(image(), before);
    EXPECT_EQ(label->text(), QStringLiteral("Зав. №: 654321"));
    EXPECT_FALSE(form->numberChangeAllowed());
    EXPECT_TRUE(messages.log.empty());
}

TEST_F(FactoryNumberDialogTest, LabelDoesNothingOutsideServiceMode) {
    for (OperatingMode mode : {omUser, omMidBand}) {
        startIn(mode);
        bool shown = false;
        QTimer::singleShot(0, sn, [&] {
            shown = sn->isVisible();
            sn->reject();
        });
        QTest::mouseClick(label, Qt::LeftButton);
        settle();
        EXPECT_FALSE(shown) << mode;
        EXPECT_EQ(image(), before);
    }
}

} // namespace
} // namespace ksv::test
