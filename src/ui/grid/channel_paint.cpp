#include "ui/grid/channel_paint.h"

#include "ui/grid/channel_table.h"

#include <QPainter>

namespace ksv {

namespace {

bool inGroup(const ChannelTableContext& context, int channel) {
    for (int group = 1; group <= 2; ++group) {
        const int first = context.groupFirst(group);
        const int last = context.groupLast(group);
        if (first > 0 && last > 0 && first <= channel && channel <= last)
            return true;
    }
    return false;
}

constexpr int kTextLeft = 2;
constexpr int kLine1Top = 2;
constexpr int kLine2Top = 18;

} // namespace

CellLook channelLook(const ChannelTableContext& context, int channel) {
    CellLook look;
    if (inGroup(context, channel)) {
        look = {QColor(255, 255, 255), QColor(0, 0, 0), true};
    } else {
        look = {QColor(229, 221, 221), QColor(128, 128, 128), false};
    }
    if (context.priorityScanning() && context.priorityChannel() == channel) {
        look.background = QColor(255, 170, 170);
        look.text = QColor(0, 0, 0);
    }
    return look;
}

void paintDataCell(QPainter& p, const QRect& rect, const QString& text, const CellLook& look,
                   const QFont& font, bool focused) {
    p.save();
    p.setClipRect(rect);
    p.fillRect(rect, look.background);
    QFont f = font;
    f.setBold(look.bold);
    p.setFont(f);
    p.setPen(look.text);
    p.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    if (focused) {
        p.setPen(QPen(look.text, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    p.restore();
}

void paintFixedCell(QPainter& p, const QRect& rect, const QString& line1, const QString& line2,
                    const QPalette& palette, const QFont& font) {
    p.save();
    p.setClipRect(rect);
    p.fillRect(rect, palette.color(QPalette::Button));
    p.setPen(palette.color(QPalette::Mid));
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.setFont(font);
    p.setPen(palette.color(QPalette::ButtonText));
    const QRect line1Rect = rect.adjusted(kTextLeft, kLine1Top, 0, 0);
    p.drawText(line1Rect, Qt::AlignLeft | Qt::AlignTop, line1);
    if (!line2.isEmpty()) {
        const QRect line2Rect = rect.adjusted(kTextLeft, kLine2Top, 0, 0);
        p.drawText(line2Rect, Qt::AlignLeft | Qt::AlignTop, line2);
    }
    p.restore();
}

ChannelCellDelegate::ChannelCellDelegate(ChannelGrid& grid)
    : QStyledItemDelegate(&grid), grid_(grid) {}

void ChannelCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    grid_.paintCell(*painter, index, option.rect, option.state.testFlag(QStyle::State_HasFocus));
}

ChannelHeader::ChannelHeader(Qt::Orientation orientation, ChannelGrid& grid)
    : QHeaderView(orientation, &grid), grid_(grid) {
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
    setSectionResizeMode(QHeaderView::Fixed);
    setStretchLastSection(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

QSize ChannelHeader::sizeHint() const {
    const QSize base = QHeaderView::sizeHint();
    if (orientation() == Qt::Horizontal)
        return {base.width(), ChannelGrid::kHeaderHeight};
    return {ChannelGrid::kNumberWidth, base.height()};
}

void ChannelHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    grid_.paintHeader(*painter, orientation(), logicalIndex, rect);
}

} // namespace ksv
