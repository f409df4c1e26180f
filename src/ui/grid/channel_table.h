#pragma once

// The channel table of the page "Параметры каналов": a view of
// the channel model, one row per channel, painted by the group and priority
// settings and edited in place. The editors store what they accept into the
// model, which stores it into the window's image.

#include "image/codecs.h"
#include "ui/model/channel_model.h"

#include <QTableView>
#include <vector>

class QMenu;

namespace ksv {

class FrequencyEdit;
class SubtoneBox;

// What the table needs to know about the rest of the main window.
class ChannelTableContext {
public:
    virtual ~ChannelTableContext() = default;
    virtual const RangeTable& allowedRanges() const = 0; // filled by the last refresh
    // Channel groups from their selectors: 1-based first and last channel,
    // or 0 when a selector shows no selection (the group counts as empty).
    virtual int groupFirst(int group) const = 0; // group 1 or 2
    virtual int groupLast(int group) const = 0;
    virtual bool priorityScanning() const = 0; // "Сканирование приоритетного канала" ticked
    virtual int priorityChannel() const = 0; // 1-based, 0 when none is selected
    virtual void requestClose() = 0;         // Esc in the table: close the main window
};

// The fixed header row and number column are the table's header views.
class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kNumberWidth = 32;
    static constexpr int kColumnWidth = 64;
    static constexpr int kHeaderHeight = 40;
    static constexpr int kRowHeight = 20;

    ChannelGrid(ChannelTableContext& context, ChannelModel& channels, QWidget* parent = nullptr);
    ~ChannelGrid() override;

    ChannelModel& channels() const { return channels_; }

    // Wide enough for all columns and the vertical scroll bar.
    QSize sizeHint() const override;

    // Acts on the selected cell (EditFunc): opens its editor or toggles its mark.
    void actOnCell(const QModelIndex& index);

    // The selection: a click selects a cell, a click on a channel's number
    // the whole channel, Shift and Ctrl extend it.
    // The selected cells in table order (the current cell when none is).
    QModelIndexList selectedCells() const;
    // The channels with a selected cell, ascending (the current one when none is).
    std::vector<int> selectedChannels() const;
    // Whether the current channel is selected whole.
    bool currentChannelSelected() const;
    // Selects the cells between two corners and makes the first one current.
    void selectCells(const QModelIndex& first, const QModelIndex& last);
    // Selects the channels whole; the first becomes the current channel.
    void selectChannels(const std::vector<int>& channels);
    // Hides an open editor; what it holds and has not stored is dropped.
    void closeEditors();
    // The menu a right click or the menu key opens.
    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }

signals:
    // The paste key in an open editor while the clipboard holds several cells.
    void cellsPasteRequested();

public:
    // Paints a data cell, and a header section (the number column's header
    // when section is -1).
    void paintCell(QPainter& p, const QModelIndex& index, const QRect& rect, bool focused) const;
    void paintHeader(QPainter& p, Qt::Orientation orientation, int section,
                     const QRect& rect) const;

protected:
    void keyPressEvent(QKeyEvent* e) override; // StringGrid1KeyDown
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void keyboardSearch(const QString&) override {} // typing does not move the selection
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void openFrequencyEditor(FrequencyEdit* editor, const QModelIndex& index); // SelFrqPRM/PRD
    void openSubtoneList(const QModelIndex& index);                            // SelSUB
    bool frequencyKey(FrequencyEdit* editor, QKeyEvent* e, bool transmit);
    void subtoneChosen(int item); // ComboBoxChange
    bool subtoneKey(QKeyEvent* e);
    void subtoneListClosed();

    // Whether the text is an allowed frequency; shows the reason when it is not.
    bool acceptFrequency(const QString& text) const;
    void toggleMark(const QModelIndex& index);
    void placeEditor(QWidget* editor, const QModelIndex& index);
    void leaveEditor(QWidget* editor, Qt::FocusReason reason);
    void hideEditor(QWidget* editor);
    void focusTable();
    void store(const QString& text);

    ChannelTableContext& context_;
    ChannelModel& channels_;
    FrequencyEdit* rxEdit_;   // EditPRM
    FrequencyEdit* txEdit_;   // EditPRD
    SubtoneBox* subtoneList_; // ComboBox
    QWidget* corner_ = nullptr;
    QPersistentModelIndex editing_; // the cell the open (or last) editor stores into
    QPersistentModelIndex pressed_; // the cell a plain left press selected
    QMenu* contextMenu_ = nullptr;
    bool manySelected_ = false; // more than one cell selected: the selection is painted
};

} // namespace ksv
