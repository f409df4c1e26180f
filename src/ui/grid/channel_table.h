#pragma once

// The channel table of the page "Параметры каналов": 40 channel rows of
// cell texts, painted by group and priority settings, edited in place.
// The texts are the working copy of the channel records; the main window
// writes them from the image and reads them back when it stores. The
// editors change nothing but the cell texts.

#include "image/codecs.h"
#include "image/image.h"
#include "image/mode.h"

#include <QTableWidget>

namespace ksv {

class FrequencyEdit;
class SubtoneBox;

// What the table needs to know about the rest of the main window.
class ChannelTableContext {
public:
    virtual ~ChannelTableContext() = default;
    virtual RadioType radioType() const = 0;             // type of the current image
    virtual const RangeTable& allowedRanges() const = 0; // filled by the last refresh
    // Channel groups from their selectors: 1-based first and last channel,
    // or 0 when a selector shows no selection (the group counts as empty).
    virtual int groupFirst(int group) const = 0; // group 1 or 2
    virtual int groupLast(int group) const = 0;
    virtual bool priorityScanning() const = 0; // "Сканирование приоритетного канала" ticked
    virtual int priorityChannel() const = 0; // 1-based, 0 when none is selected
    virtual void requestClose() = 0;         // Esc in the table: close the main window
};

// Row 0 and column 0 are the fixed header cells; they are drawn by the
// table's header views and hold no text. Rows 1..40 are the channels,
// columns 1..7 their fields.
class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 8; // column 0: channel number
    static constexpr int kRows = 41;   // row 0: headers
    static constexpr int kNumberWidth = 32;
    static constexpr int kColumnWidth = 64;
    static constexpr int kHeaderHeight = 40;
    static constexpr int kRowHeight = 20;

    explicit ChannelGrid(ChannelTableContext& context, QWidget* parent = nullptr);
    ~ChannelGrid() override;

    // Cell text, col 1..7, row 1..40. Setting a text also repaints the whole
    // table, so that a refresh after a change of the group or priority
    // settings shows the new colours.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    // Wide enough for all columns and the vertical scroll bar.
    QSize sizeHint() const override;

    // Acts on the selected cell: opens its editor or toggles its mark.
    void EditFunc(int col, int row);
    void SelFrqPRM(int col, int row);
    void SelFrqPRD(int col, int row);
    void SelSUB(int col, int row);

    // Paints one cell, fixed or data, into rect.
    void StringGrid1DrawCell(QPainter& p, int col, int row, const QRect& rect, bool focused) const;

protected:
    void keyPressEvent(QKeyEvent* e) override; // StringGrid1KeyDown
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyboardSearch(const QString&) override {} // typing does not move the selection
    bool eventFilter(QObject* watched, QEvent* e) override;

    ChannelTableContext& context_;

private:
    bool EditPRMKeyDown(QKeyEvent* e);
    bool EditPRDKeyDown(QKeyEvent* e);
    bool frequencyKeyDown(FrequencyEdit* editor, QKeyEvent* e, bool transmit);
    void EditPRMExit(Qt::FocusReason reason);
    void EditPRDExit(Qt::FocusReason reason);
    void ComboBoxChange(int index);
    bool ComboBoxKeyDown(QKeyEvent* e);
    void ComboBoxCloseUp();
    void ComboBoxExit(Qt::FocusReason reason);

    // Whether the text is an allowed frequency; shows the reason when it is not.
    bool acceptFrequency(const QString& text) const;
    void toggle(int col, int row, const QString& mark);
    void toggleL(int row);
    void openEditor(QWidget* editor, int col, int row);
    void leaveEditor(QWidget* editor, Qt::FocusReason reason);
    void hideEditor(QWidget* editor);
    void focusTable();

    FrequencyEdit* EditPRM;
    FrequencyEdit* EditPRD;
    SubtoneBox* ComboBox;
    QWidget* corner_ = nullptr;
    int editCol_ = 0; // the cell the open (or last) editor writes to
    int editRow_ = 0;
};

} // namespace ksv
