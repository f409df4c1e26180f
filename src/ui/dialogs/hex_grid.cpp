#include "ui/dialogs/hex_grid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace ksv {

bool EscapeAwareDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        emit escapePressed();
        return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

HexGrid::HexGrid(QWidget* parent) : QTableWidget(16, 16, parent) {
    auto* delegate = new EscapeAwareDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &EscapeAwareDelegate::escapePressed, this, &HexGrid::escapePressed);

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    constexpr int kColumnWidth = 32;
    constexpr int kRowHeight = 18;
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setMinimumSectionSize(kRowHeight);
        h->setHighlightSections(false);
        h->setSectionsClickable(false);
        h->setDefaultAlignment(Qt::AlignCenter);
    }
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setFixedHeight(kRowHeight);
    verticalHeader()->setFixedWidth(kColumnWidth);
}

QWidget* HexGrid::openEditor() const {
    if (!editing())
        return nullptr;
    return indexWidget(currentIndex());
}

void HexGrid::commitEdit() {
    if (QWidget* editor = openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void HexGrid::discardEdit() {
    if (QWidget* editor = openEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void HexGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace ksv
