#include "grid_fixture.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

namespace ksv::test {
namespace {

const QString kRangeMessage = QString::fromUtf8(kMsgOutOfRange);
const QString kNot25Message = QString::fromUtf8(kMsgNot25);
const QString kLMessage = QStringLiteral("Для формирования списка L следует включить функцию\n"
                                         " \"Сканирование приоритетного канала\" во вкладке "
                                         "\"Сканирование\"\n"
                                         " и задать номер приоритетного канала");

// The caption row does nothing; a channel's number selects the channel, and
// Shift or Ctrl with a click extend the selection without opening an editor.
TEST_F(GridTest, FixedGeometryCaptionsThatDoNothingAndNumbersThatSelectChannels) {
    EXPECT_EQ(model.rowCount(), 40);
    EXPECT_EQ(model.columnCount(), 7);
    EXPECT_EQ(grid->verticalHeader()->width(), 32);
    EXPECT_EQ(grid->horizontalHeader()->height(), 40);
    for (int col = 0; col < 7; ++col)
        EXPECT_EQ(grid->columnWidth(col), 64);
    for (int row = 0; row < 40; ++row)
        EXPECT_EQ(grid->rowHeight(row), 20);

    select(5, 2);
    auto* top = grid->horizontalHeader();
    auto* left = grid->verticalHeader();
    const int x5 = top->sectionViewportPosition(4) + 10;
    const int y2 = left->sectionViewportPosition(1) + 10;
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, QPoint(x5, 10));
    QTest::mouseDClick(top->viewport(), Qt::LeftButton, {}, QPoint(x5 + 53, 10)); // section edge
    EXPECT_EQ(currentColumn(), 5);
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 1);
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {}, QPoint(10, y2));
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(grid->selectedChannels(), std::vector<int>{2});
    EXPECT_TRUE(grid->currentChannelSelected());
    const int y4 = left->sectionViewportPosition(3) + 10;
    QTest::mouseClick(left->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, y4));
    EXPECT_EQ(grid->selectedChannels(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(grid->selectedCells().size(), 21);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(5, 7));
    EXPECT_EQ(grid->selectedCells().size(), 22);
    EXPECT_EQ(cell(5, 2), QString());
    EXPECT_EQ(cell(5, 7), QString());
    EXPECT_EQ(grid->columnWidth(4), 64);
    EXPECT_TRUE(messages.log.empty());
    select(5, 2);

    // Typing into the table changes neither the cells nor the selection.
    QTest::keyClicks(grid, "S1");
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(cell(5, 2), QString());
}

TEST_F(GridTest, MarksToggleOnLeftReleaseOverTheSelectedCellAndOnEnter) {
    click(5, 2);
    EXPECT_EQ(cell(5, 2), QStringLiteral("Запрет"));
    click(5, 2);
    EXPECT_EQ(cell(5, 2), QString());
    click(6, 4, Qt::RightButton);
    EXPECT_EQ(cell(6, 4), QString());
    enterOn(6, 4);
    EXPECT_EQ(cell(6, 4), QStringLiteral("S"));

    // Pressed on one cell, released over another: nothing happens.
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cellCentre(6, 7));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellCentre(6, 8));
    EXPECT_EQ(cell(6, 7), QString());
    EXPECT_EQ(cell(6, 8), QString());
    EXPECT_TRUE(messages.log.empty());
}

TEST_F(GridTest, LMarkNeedsPriorityScanningToBeSetButNotToBeCleared) {
    click(7, 3);
    EXPECT_EQ(cell(7, 3), QString());
    ASSERT_EQ(messages.log.size(), 1u);
    EXPECT_EQ(messages.log[0], (RecordedMessage{RecordedMessage::Information, kLMessage}));

    context.scanning = true;
    click(7, 3);
    EXPECT_EQ(cell(7, 3), QStringLiteral("L"));
    context.scanning = false;
    click(7, 3);
    EXPECT_EQ(cell(7, 3), QString());
    EXPECT_EQ(messages.log.size(), 1u);
}

TEST_F(GridTest, EscapeInTheTableAsksToClose) {
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(context.closeRequests, 1);
}

TEST_F(GridTest, ReceiveEditorOpensOverTheCellAndStoresOnlyValidFrequencies) {
    setCell(1, 6, QStringLiteral("149000"));
    enterOn(1, 6);
    ASSERT_FALSE(editPRM->isHidden());
    EXPECT_TRUE(editPRM->hasFocus());
    const QRect cellRect = grid->visualRect(at(1, 6));
    EXPECT_EQ(editPRM->geometry(), QRect(cellRect.left() + 1, cellRect.top() + 1,
                                         cellRect.width() + 1, cellRect.height() + 1));
    EXPECT_EQ(editPRM->text(), QStringLiteral("149000"));
    EXPECT_EQ(editPRM->selectedText(), QStringLiteral("149000"));

    // Page keys search but leave the cell alone until Enter.
    QTest::keyClick(editPRM, Qt::Key_PageUp);
    EXPECT_EQ(editPRM->text(), QStringLiteral("171150"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("149000"));
    QTest::keyClick(editPRM, Qt::Key_Return);
    EXPECT_TRUE(editPRM->isHidden());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(cell(1, 6), QStringLiteral("171150"));

    // Not a multiple of 25: the search finds nothing, Enter refuses.
    enterOn(1, 6);
    QTest::keyClicks(editPRM, "148010");
    QTest::keyClick(editPRM, Qt::Key_PageUp);
    EXPECT_EQ(editPRM->text(), QStringLiteral("148010"));
    QTest::keyClick(editPRM, Qt::Key_Return);
    EXPECT_FALSE(editPRM->isHidden());
    EXPECT_EQ(messages.texts(), QStringList{kNot25Message});

    // Five digits, and 0: the range message; the editor stays open.
    messages.clear();
    editPRM->selectAll();
    QTest::keyClicks(editPRM, "14800");
    QTest::keyClick(editPRM, Qt::Key_Enter);
    editPRM->selectAll();
    QTest::keyClicks(editPRM, "0");
    QTest::keyClick(editPRM, Qt::Key_Enter);
    EXPECT_EQ(messages.texts(), (QStringList{kRangeMessage, kRangeMessage}));
    EXPECT_FALSE(editPRM->isHidden());

    // Escape hides the editor without reaching the table.
    QTest::keyClick(editPRM, Qt::Key_Escape);
    EXPECT_TRUE(editPRM->isHidden());
    EXPECT_EQ(cell(1, 6), QStringLiteral("171150"));
    EXPECT_EQ(context.closeRequests, 0);
}

TEST_F(GridTest, FrequencyEditorsTakeDigitsOnly) {
    setCell(2, 1, QStringLiteral("148000"));
    for (FrequencyEdit* editor : {editPRM, editPRD}) {
        enterOn(editor == editPRM ? 1 : 2, 1);
        ASSERT_FALSE(editor->isHidden());
        QTest::keyClicks(editor, "1a4-8 ");
        QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("Б"));
        QApplication::sendEvent(editor, &cyrillic);
        QTest::keyClicks(editor, "0.0,2+5e7");
        EXPECT_EQ(editor->text(), QStringLiteral("148002")); // six at most
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClick(editor, Qt::Key_Right);
        QTest::keyClick(editor, Qt::Key_Backspace);
        EXPECT_EQ(editor->text(), QStringLiteral("8002"));
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, "5");
        EXPECT_EQ(editor->text(), QStringLiteral("80025"));
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST_F(GridTest, TransmitEditorWalksToAndFromOffAndStoresZeroAsOff) {
    setCell(2, 9, QStringLiteral("148000"));
    enterOn(2, 9);
    ASSERT_FALSE(editPRD->isHidden());
    QTest::keyClick(editPRD, Qt::Key_PageDown);
    EXPECT_EQ(editPRD->text(), kOffText);
    QTest::keyClick(editPRD, Qt::Key_PageDown);
    EXPECT_EQ(editPRD->text(), kOffText);
    QTest::keyClick(editPRD, Qt::Key_PageUp);
    EXPECT_EQ(editPRD->text(), QStringLiteral("148000"));
    QTest::keyClick(editPRD, Qt::Key_PageDown);
    QTest::keyClick(editPRD, Qt::Key_Return);
    EXPECT_TRUE(editPRD->isHidden());
    EXPECT_EQ(cell(2, 9), kOffText);

    setCell(2, 10, QStringLiteral("171150"));
    enterOn(2, 10);
    QTest::keyClicks(editPRD, "0");
    QTest::keyClick(editPRD, Qt::Key_Return);
    EXPECT_TRUE(editPRD->isHidden());
    EXPECT_EQ(cell(2, 10), kOffText);
    EXPECT_TRUE(messages.log.empty());

    enterOn(2, 11);
    QTest::keyClicks(editPRD, "173000");
    QTest::keyClick(editPRD, Qt::Key_PageUp);
    EXPECT_EQ(editPRD->text(), QStringLiteral("173000"));
    QTest::keyClick(editPRD, Qt::Key_Return);
    EXPECT_EQ(cell(2, 11), QStringLiteral("173000"));
}

TEST_F(GridTest, SubtoneListChangesTheCellAsTheSelectionMoves) {
    setCell(3, 4, kOffText);
    setCell(4, 4, QStringLiteral("254.1"));
    enterOn(3, 4);
    ASSERT_FALSE(combo->isHidden());
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible()); // dropped down, and still open
    EXPECT_EQ(combo->count(), 51);
    EXPECT_EQ(combo->itemText(0), kOffText);
    EXPECT_EQ(combo->itemText(50), QStringLiteral("254.1"));
    EXPECT_EQ(combo->currentText(), kOffText);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(cell(3, 4), QStringLiteral("67.0"));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(cell(3, 4), QStringLiteral("69.3"));
    QTest::keyClicks(list, "1");
    EXPECT_EQ(cell(3, 4), QStringLiteral("100.0"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(combo->isHidden());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(cell(3, 4), QStringLiteral("100.0"));
    EXPECT_EQ(cell(4, 4), QStringLiteral("254.1"));

    // Escape closes the list and the editor, keeping what was chosen. Filling
    // the list again for the next cell leaves the cell edited before alone.
    enterOn(4, 4);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(cell(3, 4), QStringLiteral("100.0"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("254.1"));
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(combo->isHidden());
    EXPECT_EQ(cell(4, 4), QStringLiteral("250.3"));
    EXPECT_EQ(context.closeRequests, 0);

    // Hovering only highlights an item; Enter then takes the highlighted one.
    enterOn(4, 4);
    ASSERT_TRUE(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(47, 0));
    QTest::mouseMove(list->viewport(), item.center());
    EXPECT_EQ(list->currentIndex().row(), 47);
    EXPECT_EQ(cell(4, 4), QStringLiteral("250.3"));
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_TRUE(combo->isHidden());
    EXPECT_EQ(cell(4, 4), QStringLiteral("233.6"));
}

TEST_F(GridTest, EditorHidesWhenTheFocusLeavesExceptToABoxOrAnotherWindow) {
    setCell(1, 2, QStringLiteral("148000"));
    enterOn(1, 2);
    ASSERT_TRUE(editPRM->hasFocus());
    other->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_FALSE(editPRM->isHidden());
    editPRM->setFocus(Qt::OtherFocusReason);
    other->setFocus(Qt::PopupFocusReason);
    EXPECT_FALSE(editPRM->isHidden());

    // Clicked onto another control: the editor hides, the control keeps the focus.
    editPRM->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(editPRM, "14");
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(editPRM->isHidden());
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(cell(1, 2), QStringLiteral("148000")); // typed text is lost

    // Tab leaves the editor for the table.
    enterOn(1, 2);
    QTest::keyClick(editPRM, Qt::Key_Tab);
    EXPECT_TRUE(editPRM->isHidden());
    EXPECT_TRUE(grid->hasFocus());

    // Opening one editor closes the other.
    enterOn(2, 2);
    ASSERT_FALSE(editPRD->isHidden());
    enterOn(3, 2);
    EXPECT_TRUE(editPRD->isHidden());
    EXPECT_FALSE(combo->isHidden());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_TRUE(combo->isHidden());
}

// A real message box takes the focus into its own window: the editor stays
// open under it and has the focus again once the box is closed.
TEST_F(GridTest, MessageBoxLeavesTheEditorOpen) {
    setMessenger(nullptr);
    bool boxWasActive = false;
    int ticks = 0;
    QTimer closer;
    closer.setInterval(1);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        boxWasActive = boxWasActive || QApplication::activeWindow() == box;
        if (boxWasActive || ++ticks > 500)
            box->close();
    });
    closer.start();
    enterOn(1, 1);
    QTest::keyClicks(editPRM, "14800");
    QTest::keyClick(editPRM, Qt::Key_Return);
    closer.stop();
    setMessenger(&messages);
    EXPECT_TRUE(boxWasActive);
    EXPECT_FALSE(editPRM->isHidden());
    window->activateWindow(); // the test platform does not do it when the box closes
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(editPRM->hasFocus());
}

} // namespace
} // namespace ksv::test
