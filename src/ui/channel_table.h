#pragma once

// The channel table of the page "Параметры каналов": 40 channel rows of
// cell texts, painted by group and priority settings, edited in place.
// The texts are the working copy of the channel records; the main window
// writes them from the image and reads them back when it stores.

#include "image/codecs.h"
#include "image/image.h"
#include "image/mode.h"

#include <QTableWidget>

namespace ksv {

// What the table needs to know about the rest of the main window.
class ChannelTableContext {
public:
    virtual ~ChannelTableContext() = default;
    virtual RadioType radioType() const = 0;           // type of the current image
    virtual const RangeTable& allowedRanges() const = 0; // filled by the last refresh
    // Channel groups from their selectors: 1-based first and last channel,
    // or 0 when a selector shows no selection (the group counts as empty).
    virtual int groupFirst(int group) const = 0; // group 1 or 2
    virtual int groupLast(int group) const = 0;
    virtual bool priorityScanning() const = 0; // "Сканирование приоритетного канала" ticked
    virtual int priorityChannel() const = 0;   // 1-based, 0 when none is selected
    virtual void requestClose() = 0;           // Esc in the table: close the main window
};

class ChannelGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 8; // column 0: channel number
    static constexpr int kRows = 41;   // row 0: headers

    explicit ChannelGrid(ChannelTableContext& context, QWidget* parent = nullptr);

    // Cell text, col 1..7, row 1..40.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

protected:
    ChannelTableContext& context_;

private:
    QStringList cells_; // kColumns x kRows texts, row-major
};

} // namespace ksv
