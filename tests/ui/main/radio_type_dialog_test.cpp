#include "form_fixture.h"
#include "ui/dialogs/radio_type_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace ksv::test {
namespace {

class RadioTypeDialogTest : public ::testing::Test {
protected:
    RadioTypeDialogTest() {
        dialog.setEndProgram([this] { ++ends; });
    }

    QListWidget* list() { return dialog.findChild<QListWidget*>("typeList"); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    RadioTypeDialog dialog;
    int ends = 0;
};

TEST_F(RadioTypeDialogTest, ListsTheSixModelsInTypeOrderWithTheirExactTexts) {
    const QStringList expected = {
        QStringLiteral("Тарвен-52 (возимая, диапазон МВ)"),
        QStringLiteral("Тарвен-51 (стационарная, диапазон МВ)"),
        QStringLiteral("Тарвен-53 (ретранслятор, диапазон МВ)"),
        QStringLiteral("Тарвен-62 (возимая,  диапазон ДМВ) "),
        QStringLiteral("Тарвен-61 (стационарная, диапазон ДМВ)"),
        QStringLiteral("Тарвен-63 (ретранслятор, диапазон ДМВ)"),
    };
    ASSERT_EQ(list()->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list()->item(i)->text(), expected[i]);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Программа KSV717N"));
    EXPECT_FALSE(button("okButton")->autoDefault() || button("okButton")->isDefault());
    EXPECT_FALSE(button("cancelButton")->autoDefault() || button("cancelButton")->isDefault());
}

TEST_F(RadioTypeDialogTest, StartUpFormConfirmsWithEnterOrEscapeAndEndsTheProgramOnlyWhenClosed) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        int remembered = 5;
        whenShown(&dialog, [&] {
            QTest::keyClick(list(), Qt::Key_Down);
            QTest::keyClick(list(), key);
        });
        EXPECT_TRUE(dialog.askStartType(remembered));
        EXPECT_EQ(remembered, 1); // item 0 preselected, one step down
    }
    EXPECT_EQ(ends, 0);

    // Escape outside the list does not cancel a dialog without "Отмена".
    int remembered = 4;
    bool stillOpen = false;
    whenShown(&dialog, [&] {
        button("okButton")->setFocus();
        QTest::keyClick(button("okButton"), Qt::Key_Escape);
        stillOpen = dialog.isVisible();
        dialog.close(); // the close box
    });
    EXPECT_FALSE(dialog.askStartType(remembered));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(remembered, 4);
    EXPECT_EQ(ends, 1);
}

TEST_F(RadioTypeDialogTest, NewFormPreselectsTheRememberedTypeAndCanBeCancelled) {
    int remembered = 4;
    int shownRow = -1;
    whenShown(&dialog, [&] {
        shownRow = list()->currentRow();
        QTest::keyClick(list(), Qt::Key_Escape); // confirms here too
    });
    EXPECT_TRUE(dialog.askNewType(remembered));
    EXPECT_EQ(shownRow, 4);
    EXPECT_EQ(remembered, 4);

    whenShown(&dialog, [&] {
        list()->setCurrentRow(2);
        QTest::mouseClick(button("okButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.askNewType(remembered));
    EXPECT_EQ(remembered, 2);

    // "Отмена" and the close box both leave the remembered type alone.
    whenShown(&dialog, [&] {
        list()->setCurrentRow(0);
        QTest::mouseClick(button("cancelButton"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.askNewType(remembered));
    whenShown(&dialog, [&] { dialog.close(); });
    EXPECT_FALSE(dialog.askNewType(remembered));
    EXPECT_EQ(remembered, 2);
    EXPECT_EQ(ends, 0);
}

} // namespace
} // namespace ksv::test
