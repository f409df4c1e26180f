#pragma once

// A channel table in a window of its own, with a context the test controls
// and every message recorded.

#include "image/defaults.h"
#include "support/message_recorder.h"
#include "ui/grid/channel_editors.h"
#include "ui/grid/channel_table.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace ksv::test {

class FakeContext : public ChannelTableContext {
public:
    RangeTable ranges = DiapTxt(rtVehicleVhf, omUser).ranges; // 148000-149000, 171150-173000
    int first[2] = {1, 0};
    int last[2] = {40, 0};
    bool scanning = false;
    int priority = 0;
    int closeRequests = 0;

    const RangeTable& allowedRanges() const override { return ranges; }
    int groupFirst(int group) const override { return first[group - 1]; }
    int groupLast(int group) const override { return last[group - 1]; }
    bool priorityScanning() const override { return scanning; }
    int priorityChannel() const override { return priority; }
    void requestClose() override { ++closeRequests; }
};

inline const QString kOffText = QString::fromUtf8(kOff);

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(qApp, nullptr);
        image.edit([](Image& im) { LoadDefault(rtVehicleVhf, im); });
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        grid = new ChannelGrid(context, model, window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(grid);
        layout->addWidget(other);
        window->resize(grid->sizeHint().width(), 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        editPRM = grid->findChild<FrequencyEdit*>(QStringLiteral("receiveEdit"));
        editPRD = grid->findChild<FrequencyEdit*>(QStringLiteral("transmitEdit"));
        combo = grid->findChild<SubtoneBox*>(QStringLiteral("subtoneList"));
        ASSERT_TRUE(editPRM && editPRD && combo);
    }
    void TearDown() override { window.reset(); }

    // Cells by channel row (1..40) and column (1..7, as the table numbers its
    // columns after the channel number).
    QModelIndex at(int col, int row) const { return model.index(row - 1, col - 1); }
    QString cell(int col, int row) const { return model.text(at(col, row)); }
    void setCell(int col, int row, const QString& text) { model.setData(at(col, row), text); }
    void select(int col, int row) { grid->setCurrentIndex(at(col, row)); }
    int currentRow() const { return grid->currentIndex().row() + 1; }
    int currentColumn() const { return grid->currentIndex().column() + 1; }

    QPoint cellCentre(int col, int row) const { return grid->visualRect(at(col, row)).center(); }
    // Selects the cell and presses Enter on it, as the user opens an editor.
    void enterOn(int col, int row) {
        select(col, row);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
    }
    void click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid->viewport(), button, {}, cellCentre(col, row));
    }

    FakeContext context;
    WindowImage image; // the default image of a VHF vehicle set
    ChannelModel model{image};
    MessageRecorder messages;
    std::unique_ptr<QWidget> window;
    ChannelGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    FrequencyEdit* editPRM = nullptr;
    FrequencyEdit* editPRD = nullptr;
    SubtoneBox* combo = nullptr;
};

} // namespace ksv::test
