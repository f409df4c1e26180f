#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "support/fake_image_host.h"
#include "support/message_recorder.h"
#include "support/test_app.h"
#include "ui/dialogs/hex_grid.h"
#include "ui/dialogs/raw_editor.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace ksv;
using ksv::test::FakeImageHost;
using ksv::test::MessageRecorder;

namespace {

Image countingImage() {
    Image im;
    for (int i = 0; i < 256; ++i)
        im[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return im;
}

// Column and row of the table cell that holds a byte.
int colOf(int offset) {
    return offset % 16 + 1;
}
int rowOf(int offset) {
    return offset / 16 + 1;
}

class RawEditorTest : public ::testing::Test {
protected:
    QApplication& app = test::testApp(); // before any widget
    FakeImageHost host;
    MessageRecorder messages;
    RawEditor editor{host};

    // Opens the editor of a byte's cell and types text into it, not confirmed.
    QLineEdit* typeInto(int offset, const QString& text) {
        HexGrid* grid = editor.grid();
        const QModelIndex index = grid->model()->index(offset / 16, offset % 16);
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* line = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        if (line)
            line->setText(text);
        return line;
    }
};

} // namespace

TEST_F(RawEditorTest, ShowsHeadersAndTwoUpperCaseDigitsPerByte) {
    Image im = countingImage();
    im[0] = 12;
    im[255] = 255;
    editor.showBytes(im);

    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Редактор данных"));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(editor.isModal());
    EXPECT_EQ(editor.cellText(0, 0), QStringLiteral("$$"));
    EXPECT_EQ(editor.cellText(1, 0), QStringLiteral("00"));
    EXPECT_EQ(editor.cellText(11, 0), QStringLiteral("0A"));
    EXPECT_EQ(editor.cellText(16, 0), QStringLiteral("0F"));
    EXPECT_EQ(editor.cellText(0, 1), QStringLiteral("00"));
    EXPECT_EQ(editor.cellText(0, 16), QStringLiteral("F0"));
    EXPECT_EQ(editor.cellText(colOf(0), rowOf(0)), QStringLiteral("0C"));
    EXPECT_EQ(editor.cellText(colOf(255), rowOf(255)), QStringLiteral("FF"));
    EXPECT_EQ(editor.cellText(colOf(0xAB), rowOf(0xAB)), QStringLiteral("AB"));
    EXPECT_EQ(editor.applyButton()->text(), QStringLiteral("Применить"));
    EXPECT_EQ(editor.closeButton()->text(), QStringLiteral("Закрыть"));
}

TEST_F(RawEditorTest, OpensOnlyInServiceModeAndRefillsFromTheStoredWindow) {
    host.current = countingImage();
    for (OperatingMode m : {omUser, omMidBand}) {
        host.mode = m;
        editor.editCurrentImage();
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(host.calls.isEmpty());
    }

    host.mode = omService;
    editor.editCurrentImage();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("SetBuf"), QStringLiteral("ShowBuf")}));
    // The table shows the image after the store (bit 1 of 255, fresh checksum).
    EXPECT_EQ(editor.cellText(colOf(255), rowOf(255)), QStringLiteral("FF"));
    EXPECT_EQ(editor.cellText(colOf(250), rowOf(250)),
              QString::fromStdString(hexByte(CalcCRC(host.current))));

    // Edits not applied are replaced by the next opening.
    editor.setCellText(colOf(3), rowOf(3), QStringLiteral("77"));
    editor.editCurrentImage();
    EXPECT_EQ(editor.cellText(colOf(3), rowOf(3)), QStringLiteral("03"));
}

TEST_F(RawEditorTest, ApplyStoresEveryCellAsTypedAndStaysOpen) {
    host.current = defaultImage(rtVehicleVhf);
    editor.showBytes(host.current);
    host.current[17] = 0x44; // an edit in the window after the editor was filled

    editor.setCellText(colOf(250), rowOf(250), QStringLiteral("5A"));
    editor.setCellText(colOf(7), rowOf(7), QStringLiteral("1A7"));
    editor.apply();

    EXPECT_TRUE(messages.log.empty());
    Image expected = defaultImage(rtVehicleVhf);
    expected[250] = 0x5A; // stored as typed, whether or not it is the checksum
    expected[7] = 0x1A;
    EXPECT_EQ(host.current, expected);
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("ShowBuf")});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.cellText(colOf(7), rowOf(7)), QStringLiteral("1A7"));

    editor.apply();
    EXPECT_EQ(host.current, expected);
}

TEST_F(RawEditorTest, CellWithoutTwoUpperCaseDigitsRefusesTheWholeApply) {
    host.current = countingImage();
    for (const QString& bad : {QStringLiteral("5a"), QStringLiteral("5"), QString(),
                               QStringLiteral("G0"), QStringLiteral(" 5"), QStringLiteral("Ф1")}) {
        editor.showBytes(host.current);
        editor.setCellText(colOf(16), rowOf(16), QStringLiteral("00"));
        editor.setCellText(colOf(0xFA), rowOf(0xFA), bad);
        editor.setCellText(colOf(0xFC), rowOf(0xFC), QStringLiteral("x"));
        messages.clear();
        host.calls.clear();

        editor.apply();
        EXPECT_EQ(host.current, countingImage()) << bad.toStdString();
        EXPECT_TRUE(host.calls.isEmpty());
        ASSERT_EQ(messages.log.size(), 1u);
        EXPECT_EQ(messages.log.front().kind, test::RecordedMessage::Error);
        // The first bad cell is named, by offset and by its row and column.
        EXPECT_TRUE(
            messages.log.front().text.contains(QStringLiteral("байта FA (строка F0, столбец 0A)")))
            << messages.log.front().text.toStdString();
        EXPECT_EQ(editor.grid()->currentRow(), 0xF);
        EXPECT_EQ(editor.grid()->currentColumn(), 0xA);
    }
}

TEST_F(RawEditorTest, CellBeingEditedIsCommittedBeforeApply) {
    host.current = countingImage();
    editor.showBytes(host.current);
    ASSERT_NE(typeInto(0x20, QStringLiteral("C3")), nullptr);
    ASSERT_TRUE(editor.grid()->editing());

    editor.apply();
    EXPECT_EQ(host.current[0x20], 0xC3);
    EXPECT_FALSE(editor.grid()->editing());
    EXPECT_EQ(editor.cellText(colOf(0x20), rowOf(0x20)), QStringLiteral("C3"));
}

TEST_F(RawEditorTest, EscapeClosesWithoutApplyingEvenWhileEditing) {
    host.current = countingImage();
    editor.showBytes(host.current);
    QLineEdit* line = typeInto(0x30, QStringLiteral("EE"));
    ASSERT_NE(line, nullptr);

    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(host.current, countingImage());
    EXPECT_TRUE(host.calls.isEmpty());

    editor.showBytes(host.current);
    EXPECT_EQ(editor.cellText(colOf(0x30), rowOf(0x30)), QStringLiteral("30"));
    QTest::keyClick(editor.grid(), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());

    editor.showBytes(host.current);
    editor.closeButton()->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(host.current, countingImage());
}
