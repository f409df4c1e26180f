#include "form_fixture.h"
#include "formats/channel_cells.h"
#include "image/channel_order.h"
#include "image/normalise.h"
#include "ui/main/channel_editing.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTest>
#include <random>

namespace ksv::test {
namespace {

class EditingTest : public FormTest {
protected:
    void SetUp() override { start(omUser, rtVehicleVhf); }
    ChannelEditing& edit() { return form->editing(); }
    ChannelGrid* grid() { return form->grid(); }
    QModelIndex at(int channel, int column) { return form->channels().index(channel - 1, column); }
    // A VHF user-mode frequency, 148000 + 25 k.
    static QString frequency(int k) { return QString::number(148000 + 25 * k); }

    // One thing a user does to the image, chosen by the generator.
    void randomEdit(std::mt19937& rng) {
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const int channel = 1 + pick(40);
        const std::vector<int> channels = {channel, std::min(40, channel + pick(3))};
        switch (pick(9)) {
        case 0:
            setCell(1 + pick(7), channel, pick(2) ? frequency(pick(40)) : QStringLiteral("S"));
            break;
        case 1: {
            QMimeData data;
            data.setText(frequency(pick(40)) +
                         QStringLiteral("\tОткл\t88.5\n171150\t172000\t67.0\n"));
            grid()->selectCells(at(channel, pick(3)), at(channel, 0));
            edit().pasteData(data);
            break;
        }
        case 2:
            grid()->selectCells(at(channels[0], pick(7)), at(channels[1], pick(7)));
            pick(2) ? edit().clear() : edit().cut();
            break;
        case 3: {
            using Command = void (ChannelEditing::*)();
            const Command commands[] = {&ChannelEditing::insertChannels,
                                        &ChannelEditing::deleteChannels, &ChannelEditing::moveUp,
                                        &ChannelEditing::moveDown, &ChannelEditing::sortByReceive};
            grid()->selectChannels(channels);
            (edit().*commands[pick(5)])();
            break;
        }
        case 4:
            choose(c().list(pick(2) ? SettingId::Group1First : SettingId::Group2Last), pick(40));
            break;
        case 5:
            c().priorityScan->setChecked(!c().priorityScan->isChecked());
            break;
        case 6: {
            Image im = startupImage(pick(6), omUser);
            for (auto& b : im.bytes())
                b = pick(4) ? b : static_cast<std::uint8_t>(rng());
            form->showImage(im); // an opened file, a read
            break;
        }
        default:
            form->commitEdits(); // a save
        }
    }
};

// Undo goes back through every image the window showed, redo forward again,
// also after steps undone in the middle were replaced by new ones.
TEST_F(EditingTest, RandomEditsUndoneToTheStartAndRedoneToTheEndGiveTheExactImages) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        form->history().clear();
        std::vector<Image> shown{image()};
        for (int i = 0; i < 30; ++i) {
            if (rng() % 6 == 0 && shown.size() > 1) {
                edit().undo();
                shown.pop_back();
                ASSERT_EQ(image(), shown.back());
            }
            randomEdit(rng);
            if (image() != shown.back())
                shown.push_back(image());
        }
        messages.clear();
        for (std::size_t i = shown.size() - 1; i > 0; --i) {
            ASSERT_TRUE(form->history().canUndo());
            edit().undo();
            ASSERT_EQ(image(), shown[i - 1]) << "step " << i;
        }
        EXPECT_FALSE(form->history().canUndo());
        for (std::size_t i = 1; i < shown.size(); ++i) {
            edit().redo();
            ASSERT_EQ(image(), shown[i]) << "step " << i;
        }
        EXPECT_TRUE(messages.log.empty());
    }
}

// Whole channels copied are their table texts and their records: pasted at
// another place they are the same records, in a window of another model
// their frequencies are checked against its ranges.
TEST_F(EditingTest, CopiedChannelsPasteAsTheSameRecordsAndAreCheckedInAnotherModel) {
    c().priorityScan->setChecked(true);
    editImage([](Image& im) {
        for (int n : {3, 4}) {
            const ChannelView v = im.channel(n);
            v.setRxCode(32 + n); // 148575, 148600
            v.setTxCode(n == 3 ? 0 : 981);
            v.setRxSubtone(9);
            v.setTxSubtone(n);
            v.setProhibited(n == 4);
            v.setScanS(true);
            v.setScanL(n == 3);
            takeUnshownBits(im, n, ChannelRecord{0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        }
    });
    grid()->selectChannels({3, 4});
    std::unique_ptr<QMimeData> copied(edit().copiedData());
    EXPECT_EQ(copied->text(), QStringLiteral("148575\tОткл\t88.5\t71.9\t\tS\tL\n"
                                             "148600\t172225\t88.5\t74.4\tЗапрет\tS\t\n"));
    grid()->selectCells(at(3, 2), at(4, 3));
    EXPECT_EQ(std::unique_ptr<QMimeData>(edit().copiedData())->text(),
              QStringLiteral("88.5\t71.9\n88.5\t74.4\n"));

    grid()->selectChannels({20});
    edit().pasteData(*copied);
    EXPECT_EQ(channelRecord(image(), 20), channelRecord(image(), 3));
    EXPECT_EQ(channelRecord(image(), 21), channelRecord(image(), 4));
    EXPECT_EQ(grid()->selectedChannels(), (std::vector<int>{20, 21}));

    MessageRecorder uhfMessages;
    auto uhf = createAppWindows(omUser);
    uhf->startUpWithType(rtVehicleUhf);
    const Image before = uhf->currentImage();
    uhf->grid()->selectChannels({1});
    uhf->editing().pasteData(*copied);
    EXPECT_EQ(uhf->currentImage(), before);
    ASSERT_EQ(uhfMessages.log.size(), 2u); // the port search at start, then the paste
    EXPECT_TRUE(uhfMessages.log[1].text.startsWith(
        QStringLiteral("Данные не вставлены:\nКанал 1, столбец \"Частота ПРМ, кГц\", значение "
                       "\"148575\": Введите частоту в пределах отведенного диапазона")));
}

// The commands' keys reach them in the table; the priority channel follows
// a moved channel on the scanning page too.
TEST_F(EditingTest, KeysInTheTableAndThePriorityFollowingItsChannel) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    grid()->setFocus();
    setCell(1, 5, QStringLiteral("148500"));
    form->history().clear();
    grid()->selectCells(at(5, 0), at(5, 0));
    QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("148500\n"));
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(cell(1, 5), QStringLiteral("Откл"));
    QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 5), QStringLiteral("148500"));
    // In an open editor the keys edit its text.
    QTest::keyClick(grid(), Qt::Key_Return);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid());
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(cell(1, 5), QStringLiteral("148500"));
    EXPECT_TRUE(form->history().canRedo()); // the clear undone above, untouched

    c().priorityScan->setChecked(true);
    c().list(SettingId::PriorityChannel)->setCurrentIndex(4);
    grid()->selectChannels({5});
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(grid(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cell(1, 7), QStringLiteral("148500"));
    EXPECT_EQ(grid()->selectedChannels(), std::vector<int>{7});
    EXPECT_EQ(c().list(SettingId::PriorityChannel)->currentIndex(), 6);
    EXPECT_TRUE(messages.log.empty());
}

// A spreadsheet's column pasted into an open editor goes into the table,
// checked as a whole, instead of its digits running together in one cell.
TEST_F(EditingTest, SeveralCellsPastedIntoAnOpenEditorGoIntoTheTable) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const struct {
        QString text;
        QStringList cells; // channels 10 to 12 afterwards
        bool refused;
    } cases[] = {
        {"148100\n150000\n148300\n", {"148000", "148000", "148000"}, true},
        {"148100\r\n148200\r\n148300\r\n", {"148100", "148200", "148300"}, false},
        {"148125\n", {"148125", "148000", "148000"}, false}, // one cell: the editor takes it
    };
    for (const auto& c : cases) {
        for (int ch = 10; ch <= 12; ++ch)
            setCell(1, ch, QStringLiteral("148000"));
        messages.clear();
        QGuiApplication::clipboard()->setText(c.text);
        grid()->setFocus();
        grid()->selectCells(at(10, 0), at(10, 0));
        QTest::keyClick(grid(), Qt::Key_Return);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        if (QApplication::focusWidget() == editor)
            QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ((QStringList{cell(1, 10), cell(1, 11), cell(1, 12)}), c.cells)
            << c.text.toStdString();
        EXPECT_EQ(!messages.log.empty(), c.refused) << c.text.toStdString();
    }
}

// A clipboard of megabytes is refused at once, with an editor open or not,
// before it is split into cells (20 MB of tabs once took a gigabyte and
// seconds); an editor does not take the text either.
TEST_F(EditingTest, AClipboardLongerThanAnyPasteIsRefusedAtOnce) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    setCell(1, 10, QStringLiteral("148000"));
    for (const QChar fill : {QChar('\t'), QChar('1')}) {
        QGuiApplication::clipboard()->setText(QString(20 << 20, fill));
        for (const bool editorOpen : {false, true}) {
            messages.clear();
            grid()->setFocus();
            grid()->selectCells(at(10, 0), at(10, 0));
            if (editorOpen)
                QTest::keyClick(grid(), Qt::Key_Return);
            QWidget* target = QApplication::focusWidget();
            ASSERT_EQ(target == grid(), !editorOpen);
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            EXPECT_LT(timer.elapsed(), 1000);
            if (QApplication::focusWidget() != grid())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            EXPECT_EQ(cell(1, 10), QStringLiteral("148000"));
            EXPECT_EQ(messages.texts(),
                      QStringList{"Данные не вставлены: в буфере обмена больше 64 КБ текста, а "
                                  "вся таблица каналов занимает около 2 КБ."});
        }
    }
}

// A screen reader finds the cells, the column captions and the current cell.
TEST_F(EditingTest, TheTableIsReadableThroughAccessibility) {
    setCell(1, 2, QStringLiteral("148500"));
    grid()->setCurrentIndex(at(2, 0));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid());
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleTableInterface* t = table->tableInterface();
    EXPECT_EQ(t->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("148500"));
    EXPECT_EQ(t->columnDescription(0), QStringLiteral("Частота\nПРМ, кГц"));
    EXPECT_EQ(t->rowDescription(1), QStringLiteral("2"));
    QAccessibleInterface* current = table->focusChild();
    ASSERT_TRUE(current && current->tableCellInterface());
    EXPECT_EQ(current->tableCellInterface()->rowIndex(), 1);
}

} // namespace
} // namespace ksv::test
