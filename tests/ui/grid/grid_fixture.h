#pragma once

// A channel table in a window of its own, with a context the test controls
// and every message recorded.

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
    RadioType type = rtVehicleVhf;
    RangeTable ranges = DiapTxt(rtVehicleVhf, omUser).ranges; // 148000-149000, 171150-173000
    int first[2] = {1, 0};
    int last[2] = {40, 0};
    bool scanning = false;
    int priority = 0;
    int closeRequests = 0;

    RadioType radioType() const override { return type; }
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
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        grid = new ChannelGrid(context, window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(grid);
        layout->addWidget(other);
        window->resize(grid->sizeHint().width(), 600);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid->setFocus();
        editPRM = grid->findChild<FrequencyEdit*>(QStringLiteral("EditPRM"));
        editPRD = grid->findChild<FrequencyEdit*>(QStringLiteral("EditPRD"));
        combo = grid->findChild<SubtoneBox*>(QStringLiteral("ComboBox"));
        ASSERT_TRUE(editPRM && editPRD && combo);
    }
    void TearDown() override { window.reset(); }

    QPoint cellCentre(int col, int row) const {
        return grid->visualRect(grid->model()->index(row, col)).center();
    }
    // Selects the cell and presses Enter on it, as the user opens an editor.
    void enterOn(int col, int row) {
        grid->setCurrentCell(row, col);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
    }
    void click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid->viewport(), button, {}, cellCentre(col, row));
    }

    FakeContext context;
    MessageRecorder messages;
    std::unique_ptr<QWidget> window;
    ChannelGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    FrequencyEdit* editPRM = nullptr;
    FrequencyEdit* editPRD = nullptr;
    SubtoneBox* combo = nullptr;
};

} // namespace ksv::test
