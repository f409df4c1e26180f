#include "form_fixture.h"
#include "ui/dialogs/newtype_form.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace ksv::test {
namespace {

class NewTypeFormTest : public ::testing::Test {
protected:
    NewTypeFormTest() {
        dialog.setEndProgram([this] { ++ends; });
    }

    QListWidget* list() { return dialog.findChild<QListWidget*>("ListBox1"); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    TNewTypeForm dialog;
    int ends = 0;
};

TEST_F(NewTypeFormTest, ListsTheSixModelsInTypeOrderWithTheirExactTexts) {
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
    EXPECT_FALSE(button("Button1")->autoDefault() || button("Button1")->isDefault());
    EXPECT_FALSE(button("Button2")->autoDefault() || button("Button2")->isDefault());
}

TEST_F(NewTypeFormTest, StartUpFormConfirmsWithEnterOrEscapeAndEndsTheProgramOnlyWhenClosed) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        int remembered = 5;
        whenShown(&dialog, [&] {
            QTest::keyClick(list(), Qt::Key_Down);
            QTest::keyClick(list(), key);
        });
        EXPECT_TRUE(dialog.AskStartType(remembered));
        EXPECT_EQ(remembered, 1); // item 0 preselected, one step down
    }
    EXPECT_EQ(ends, 0);

    // Escape outside the list does not cancel a dialog without "Отмена".
    int remembered = 4;
    bool stillOpen = false;
    whenShown(&dialog, [&] {
        button("Button1")->setFocus();
        QTest::keyClick(button("Button1"), Qt::Key_Escape);
        stillOpen = dialog.isVisible();
        dialog.close(); // the close box
    });
    EXPECT_FALSE(dialog.AskStartType(remembered));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(remembered, 4);
    EXPECT_EQ(ends, 1);
}

TEST_F(NewTypeFormTest, NewFormPreselectsTheRememberedTypeAndCanBeCancelled) {
    int remembered = 4;
    int shownRow = -1;
    whenShown(&dialog, [&] {
        shownRow = list()->currentRow();
        QTest::keyClick(list(), Qt::Key_Escape); // confirms here too
    });
    EXPECT_TRUE(dialog.AskNewType(remembered));
    EXPECT_EQ(shownRow, 4);
    EXPECT_EQ(remembered, 4);

    whenShown(&dialog, [&] {
        list()->setCurrentRow(2);
        QTest::mouseClick(button("Button1"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.AskNewType(remembered));
    EXPECT_EQ(remembered, 2);

    // "Отмена" and the close box both leave the remembered type alone.
    whenShown(&dialog, [&] {
        list()->setCurrentRow(0);
        QTest::mouseClick(button("Button2"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.AskNewType(remembered));
    whenShown(&dialog, [&] { dialog.close(); });
    EXPECT_FALSE(dialog.AskNewType(remembered));
    EXPECT_EQ(remembered, 2);
    EXPECT_EQ(ends, 0);
}

} // namespace
} // namespace ksv::test
