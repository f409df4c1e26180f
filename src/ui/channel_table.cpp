#include "ui/channel_table.h"

#include <QHeaderView>

namespace ksv {

ChannelGrid::ChannelGrid(ChannelTableContext& context, QWidget* parent)
    : QTableWidget(kRows, kColumns, parent), context_(context) {
    setObjectName(QStringLiteral("StringGrid1"));
    for (int i = 0; i < kColumns * kRows; ++i)
        cells_ << QString();
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString ChannelGrid::cell(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return {};
    return cells_[row * kColumns + col];
}

void ChannelGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return;
    cells_[row * kColumns + col] = text;
    auto* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
    }
    it->setText(text);
}

} // namespace ksv
