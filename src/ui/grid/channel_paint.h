#pragma once

// Painting of the channel table: the colours of a channel row, the drawing of
// data and header cells, and the delegate and header views through which the
// table's own painting reaches ChannelGrid.

#include <QColor>
#include <QHeaderView>
#include <QStyledItemDelegate>

class QPainter;

namespace ksv {

class ChannelGrid;
class ChannelTableContext;

struct CellLook {
    QColor background;
    QColor text;
    bool bold = false;
};

// Channels in one of the two groups are white with bold black text, the others
// greyed; the priority channel is pink while priority scanning is on.
CellLook channelLook(const ChannelTableContext& context, int channel);

// Fills the cell and draws its text from the top-left corner, wrapped at word
// boundaries, without margin. A focused cell gets a dotted frame.
void paintDataCell(QPainter& p, const QRect& rect, const QString& text, const CellLook& look,
                   const QFont& font, bool focused);

// A header cell: up to two lines at 2 pixels from the left, 2 and 18 pixels
// from the top, on the palette's button colours.
void paintFixedCell(QPainter& p, const QRect& rect, const QString& line1, const QString& line2,
                    const QPalette& palette, const QFont& font);

// Hands the painting of every data cell to the grid.
class ChannelCellDelegate : public QStyledItemDelegate {
public:
    explicit ChannelCellDelegate(ChannelGrid& grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    ChannelGrid& grid_;
};

// The fixed header row (horizontal) or column (vertical): fixed section sizes,
// not clickable, not movable, painted by the grid.
class ChannelHeader : public QHeaderView {
public:
    ChannelHeader(Qt::Orientation orientation, ChannelGrid& grid);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    ChannelGrid& grid_;
};

} // namespace ksv
