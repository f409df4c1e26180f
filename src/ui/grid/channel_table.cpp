#include "ui/grid/channel_table.h"

#include "formats/channel_cells.h"
#include "ui/dialogs/messages.h"
#include "ui/grid/channel_editors.h"
#include "ui/grid/channel_paint.h"
#include "ui/grid/channel_steps.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace ksv {

namespace {

// Text of more than one cell, as a paste into the table reads it (text
// beyond the longest paste is not converted: it is too long either way).
bool holdsSeveralCells(const QString& text) {
    return formats::holdsSeveralCells(text.left(formats::kMaxPastedText + 1).toStdString());
}

const QString kOffText = QString::fromUtf8(kOff);

const QString kLListMessage = QStringLiteral("Для формирования списка L следует включить функцию\n"
                                             " \"Сканирование приоритетного канала\" во вкладке "
                                             "\"Сканирование\"\n"
                                             " и задать номер приоритетного канала");

bool isEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool isTab(const QKeyEvent* e) {
    return e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab;
}

} // namespace

ChannelGrid::ChannelGrid(ChannelTableContext& context, ChannelModel& channels, QWidget* parent)
    : QTableView(parent), context_(context), channels_(channels) {
    setObjectName(QStringLiteral("channelTable"));
    setHorizontalHeader(new ChannelHeader(Qt::Horizontal, *this));
    setVerticalHeader(new ChannelHeader(Qt::Vertical, *this));
    setModel(&channels_);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setCornerButtonEnabled(false);
    for (QAbstractButton* b : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (qstrcmp(b->metaObject()->className(), "QTableCornerButton") == 0) {
            corner_ = b;
            corner_->installEventFilter(this);
        }
    }

    setItemDelegate(new ChannelCellDelegate(*this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setSectionsClickable(true); // a channel's number selects the channel
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setWordWrap(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalScrollBar()->setTracking(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setAccessibleName(QStringLiteral("Таблица каналов"));
    setCurrentIndex(channels_.index(0, 0));

    rxEdit_ = new FrequencyEdit(QStringLiteral("receiveEdit"), viewport());
    txEdit_ = new FrequencyEdit(QStringLiteral("transmitEdit"), viewport());
    subtoneList_ = new SubtoneBox(viewport());
    rxEdit_->onKeyDown = [this](QKeyEvent* e) { return frequencyKey(rxEdit_, e, false); };
    txEdit_->onKeyDown = [this](QKeyEvent* e) { return frequencyKey(txEdit_, e, true); };
    rxEdit_->onExit = [this](Qt::FocusReason r) { leaveEditor(rxEdit_, r); };
    txEdit_->onExit = [this](Qt::FocusReason r) { leaveEditor(txEdit_, r); };
    subtoneList_->onChange = [this](int item) { subtoneChosen(item); };
    subtoneList_->onKeyDown = [this](QKeyEvent* e) { return subtoneKey(e); };
    subtoneList_->onCloseUp = [this] { subtoneListClosed(); };
    subtoneList_->onExit = [this](Qt::FocusReason r) { leaveEditor(subtoneList_, r); };
}

// The editors outlive this part of the table while its base class deletes
// them; focus changes during that must not call back into it.
ChannelGrid::~ChannelGrid() {
    for (FrequencyEdit* e : {rxEdit_, txEdit_}) {
        e->onKeyDown = nullptr;
        e->onExit = nullptr;
    }
    subtoneList_->onChange = nullptr;
    subtoneList_->onKeyDown = nullptr;
    subtoneList_->onCloseUp = nullptr;
    subtoneList_->onExit = nullptr;
}

QSize ChannelGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    const int width = frame + kNumberWidth + channels_.columnCount() * kColumnWidth +
                      verticalScrollBar()->sizeHint().width();
    const int height = frame + kHeaderHeight + 20 * kRowHeight;
    return {width, height};
}

// ---- Painting ------------------------------------------------------------------

// A selection of one cell is marked by the focus frame alone; a larger one
// tints its cells.
void ChannelGrid::paintCell(QPainter& p, const QModelIndex& index, const QRect& rect,
                            bool focused) const {
    CellLook look = channelLook(context_, ChannelModel::channel(index));
    if (manySelected_ && selectionModel()->isSelected(index)) {
        const QColor mark = palette().color(QPalette::Highlight);
        look.background = QColor((look.background.red() + mark.red()) / 2,
                                 (look.background.green() + mark.green()) / 2,
                                 (look.background.blue() + mark.blue()) / 2);
    }
    paintDataCell(p, rect, channels_.text(index), look, font(), focused);
}

void ChannelGrid::paintHeader(QPainter& p, Qt::Orientation orientation, int section,
                              const QRect& rect) const {
    if (section < 0) {
        paintFixedCell(p, rect, QStringLiteral("№"), {}, palette(), font());
        return;
    }
    const QStringList lines = channels_.headerData(section, orientation).toString().split('\n');
    paintFixedCell(p, rect, lines.value(0), lines.value(1), palette(), font());
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* e) {
    if (watched == corner_ && e->type() == QEvent::Paint) {
        QPainter p(corner_);
        paintHeader(p, Qt::Horizontal, -1, corner_->rect());
        return true;
    }
    return QTableView::eventFilter(watched, e);
}

// ---- The table's keys and clicks -----------------------------------------------

void ChannelGrid::keyPressEvent(QKeyEvent* e) {
    if (isEnter(e)) {
        e->accept();
        actOnCell(currentIndex());
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        context_.requestClose();
        return;
    }
    QTableView::keyPressEvent(e);
}

void ChannelGrid::mousePressEvent(QMouseEvent* e) {
    QTableView::mousePressEvent(e);
    const bool plain = e->button() == Qt::LeftButton &&
                       !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    pressed_ = plain ? indexAt(e->position().toPoint()) : QModelIndex();
}

// Only a plain left click acts on a cell: released over the cell it was
// pressed on, which that press selected. Shift and Ctrl only select.
void ChannelGrid::mouseReleaseEvent(QMouseEvent* e) {
    QTableView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(e->position().toPoint());
    const bool samePress = index.isValid() && index == pressed_;
    pressed_ = QModelIndex();
    if (samePress)
        actOnCell(index);
}

void ChannelGrid::contextMenuEvent(QContextMenuEvent* e) {
    if (!contextMenu_)
        return;
    closeEditors();
    const QPoint at = e->reason() == QContextMenuEvent::Mouse
                          ? e->globalPos()
                          : viewport()->mapToGlobal(visualRect(currentIndex()).center());
    contextMenu_->exec(at);
}

void ChannelGrid::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    const bool many = selectionModel()->selectedIndexes().size() > 1;
    if (many != manySelected_) {
        manySelected_ = many;
        viewport()->update();
    }
}

// ---- The selection ----------------------------------------------------------------

QModelIndexList ChannelGrid::selectedCells() const {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    std::sort(cells.begin(), cells.end());
    return cells;
}

std::vector<int> ChannelGrid::selectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& cell : selectedCells())
        if (channels.empty() || channels.back() != ChannelModel::channel(cell))
            channels.push_back(ChannelModel::channel(cell));
    return channels;
}

bool ChannelGrid::currentChannelSelected() const {
    return selectionModel()->isRowSelected(currentIndex().row(), QModelIndex());
}

void ChannelGrid::selectCells(const QModelIndex& first, const QModelIndex& last) {
    const QModelIndex topLeft =
        channels_.index(std::min(first.row(), last.row()), std::min(first.column(), last.column()));
    const QModelIndex bottomRight =
        channels_.index(std::max(first.row(), last.row()), std::max(first.column(), last.column()));
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

void ChannelGrid::selectChannels(const std::vector<int>& channels) {
    if (channels.empty())
        return;
    const int lastColumn = channels_.columnCount() - 1;
    QItemSelection rows;
    for (int n : channels)
        rows.select(channels_.index(n - 1, 0), channels_.index(n - 1, lastColumn));
    const QModelIndex first = channels_.index(channels.front() - 1, 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
}

void ChannelGrid::actOnCell(const QModelIndex& index) {
    if (!index.isValid() || index != currentIndex())
        return;
    const ChannelField& field = ChannelModel::field(index.column());
    switch (field.kind) {
    case ChannelValue::Frequency:
        openFrequencyEditor(field.id == ChannelFieldId::Tx ? txEdit_ : rxEdit_, index);
        break;
    case ChannelValue::Subtone:
        openSubtoneList(index);
        break;
    case ChannelValue::Mark:
        toggleMark(index);
        break;
    }
}

// A set mark is cleared; an unset one is set, except an L mark while
// priority scanning is off, which is refused with a message.
void ChannelGrid::toggleMark(const QModelIndex& index) {
    const ChannelField& field = ChannelModel::field(index.column());
    const QString mark = QString::fromUtf8(field.mark);
    if (channels_.text(index) == mark) {
        channels_.setData(index, QString());
        return;
    }
    if (field.id == ChannelFieldId::ScanL && !context_.priorityScanning()) {
        messenger().information(kLListMessage);
        return;
    }
    channels_.setData(index, mark);
}

// ---- Opening and closing the editors --------------------------------------------

void ChannelGrid::placeEditor(QWidget* editor, const QModelIndex& index) {
    for (QWidget* other : {static_cast<QWidget*>(rxEdit_), static_cast<QWidget*>(txEdit_),
                           static_cast<QWidget*>(subtoneList_)})
        if (other != editor && !other->isHidden())
            other->hide();
    editing_ = index;
    scrollTo(index);
    const QRect r = visualRect(index);
    editor->setGeometry(r.left() + 1, r.top() + 1, r.width() + 1, r.height() + 1);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::openFrequencyEditor(FrequencyEdit* editor, const QModelIndex& index) {
    editor->clear();
    placeEditor(editor, index);
    editor->setText(channels_.text(index));
    editor->selectAll();
}

void ChannelGrid::openSubtoneList(const QModelIndex& index) {
    subtoneList_->fill();
    placeEditor(subtoneList_, index);
    {
        const QSignalBlocker block(subtoneList_);
        const QString text = channels_.text(index);
        const int item = subtoneList_->findText(text, Qt::MatchExactly);
        subtoneList_->setCurrentIndex(item);
        if (item < 0)
            subtoneList_->setEditText(text); // a code without a tone, kept as shown
    }
    subtoneList_->showPopup();
}

// Gives the keyboard focus back to the table, but only while its page is the
// current one: a hidden table must not take the focus from another page.
void ChannelGrid::focusTable() {
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

// Closed by its own keys: the table takes the focus first, so the editor's
// focus does not wander to the next control of the page when it hides.
void ChannelGrid::hideEditor(QWidget* editor) {
    focusTable();
    editor->hide();
}

// The editor lost the keyboard focus. A message box or another window taking
// the focus, and the list dropping down, leave it open. Otherwise it hides;
// the table takes the focus back unless the user put it on another control
// by mouse or shortcut.
void ChannelGrid::leaveEditor(QWidget* editor, Qt::FocusReason reason) {
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    if (editor->isHidden())
        return;
    editor->hide();
    if (reason != Qt::MouseFocusReason && reason != Qt::ShortcutFocusReason)
        focusTable();
}

void ChannelGrid::closeEditors() {
    for (QWidget* editor : {static_cast<QWidget*>(rxEdit_), static_cast<QWidget*>(txEdit_),
                            static_cast<QWidget*>(subtoneList_)}) {
        if (editor == subtoneList_ && !editor->isHidden())
            subtoneList_->hidePopup();
        if (!editor->isHidden())
            hideEditor(editor);
    }
}

void ChannelGrid::store(const QString& text) {
    if (editing_.isValid())
        channels_.setData(editing_, text);
}

// ---- Frequency editors ------------------------------------------------------------

bool ChannelGrid::acceptFrequency(const QString& text) const {
    const FrqCheck check = TestFrq(text.toStdString(), context_.allowedRanges());
    if (!check.ok && !check.message.empty())
        messenger().error(QString::fromStdString(check.message));
    return check.ok;
}

// EditPRMKeyDown and EditPRDKeyDown: Enter stores an accepted value, Escape
// and Tab close, Page Up and Page Down step through the allowed range.
bool ChannelGrid::frequencyKey(FrequencyEdit* editor, QKeyEvent* e, bool transmit) {
    // Several cells copied from a spreadsheet go into the table, not into
    // this one editor as their digits run together.
    if (e->matches(QKeySequence::Paste) &&
        holdsSeveralCells(QGuiApplication::clipboard()->text())) {
        emit cellsPasteRequested();
        return true;
    }
    const QString text = editor->text();
    const RangeTable& ranges = context_.allowedRanges();
    if (isEnter(e)) {
        if (transmit && (text == QStringLiteral("0") || text.isEmpty() || text == kOffText)) {
            store(kOffText);
            hideEditor(editor);
        } else if (acceptFrequency(text)) {
            store(text);
            hideEditor(editor);
        }
        return true;
    }
    if (e->key() == Qt::Key_Escape || isTab(e)) {
        hideEditor(editor);
        return true;
    }
    if (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown) {
        const QString cellText = channels_.text(editing_);
        const StepDirection dir =
            e->key() == Qt::Key_PageUp ? StepDirection::Up : StepDirection::Down;
        editor->setText(transmit ? transmitStep(text, cellText, dir, ranges)
                                 : receiveStep(text, cellText, dir, ranges));
        return true;
    }
    return false;
}

// ---- Subtone list ----------------------------------------------------------------------

void ChannelGrid::subtoneChosen(int item) {
    if (item >= 0 && editing_.isValid() &&
        ChannelModel::field(editing_.column()).kind == ChannelValue::Subtone)
        store(subtoneList_->itemText(item));
}

bool ChannelGrid::subtoneKey(QKeyEvent* e) {
    if (isEnter(e)) {
        const QAbstractItemView* list = subtoneList_->view();
        const int item = list->isVisible() && list->currentIndex().isValid()
                             ? list->currentIndex().row()
                             : subtoneList_->currentIndex();
        if (item >= 0) {
            if (item != subtoneList_->currentIndex())
                subtoneList_->setCurrentIndex(item);
            else
                subtoneChosen(item);
        }
        subtoneList_->hidePopup();
        hideEditor(subtoneList_);
        return true;
    }
    if (e->key() == Qt::Key_Escape || isTab(e)) {
        subtoneList_->hidePopup();
        hideEditor(subtoneList_);
        return true;
    }
    return false;
}

void ChannelGrid::subtoneListClosed() {
    if (!subtoneList_->isHidden())
        hideEditor(subtoneList_);
}

} // namespace ksv
