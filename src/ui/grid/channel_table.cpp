#include "ui/grid/channel_table.h"

#include "ui/dialogs/messages.h"
#include "ui/grid/channel_editors.h"
#include "ui/grid/channel_paint.h"
#include "ui/grid/channel_steps.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <array>

namespace ksv {

namespace {

struct Header {
    const char* line1;
    const char* line2;
};

constexpr std::array<Header, ChannelGrid::kColumns> kHeaders = {{
    {"№", ""},
    {"Частота", "ПРМ, кГц"},
    {"Частота", "ПРД, кГц"},
    {"Субтон", "ПРМ, Гц"},
    {"Субтон", "ПРД, Гц"},
    {"Запрет", "ПРД"},
    {"Список", "скан."},
    {"Список", "L"},
}};

const QString kOffText = QString::fromUtf8(kOff);
const QString kBanMark = QStringLiteral("Запрет");
const QString kSMark = QStringLiteral("S");
const QString kLMark = QStringLiteral("L");

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

ChannelGrid::ChannelGrid(ChannelTableContext& context, QWidget* parent)
    : QTableWidget(kRows, kColumns, parent), context_(context) {
    setObjectName(QStringLiteral("StringGrid1"));

    // The fixed row and column are the header views; row 0 and column 0 of
    // the cells stay hidden so that the indexes are the channel and field.
    setHorizontalHeader(new ChannelHeader(Qt::Horizontal, *this));
    setVerticalHeader(new ChannelHeader(Qt::Vertical, *this));
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (int col = 0; col < kColumns; ++col)
        setColumnWidth(col, col == 0 ? kNumberWidth : kColumnWidth);
    for (int row = 0; row < kRows; ++row)
        setRowHeight(row, row == 0 ? kHeaderHeight : kRowHeight);
    setColumnHidden(0, true);
    setRowHidden(0, true);
    setCornerButtonEnabled(false);
    for (QAbstractButton* b : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (qstrcmp(b->metaObject()->className(), "QTableCornerButton") == 0) {
            corner_ = b;
            corner_->installEventFilter(this);
        }
    }

    setItemDelegate(new ChannelCellDelegate(*this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setWordWrap(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalScrollBar()->setTracking(true);
    setContextMenuPolicy(Qt::NoContextMenu);

    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            auto* it = new QTableWidgetItem;
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row, col, it);
        }
    }
    setCurrentCell(1, 1);

    EditPRM = new FrequencyEdit(QStringLiteral("EditPRM"), viewport());
    EditPRD = new FrequencyEdit(QStringLiteral("EditPRD"), viewport());
    ComboBox = new SubtoneBox(viewport());
    EditPRM->onKeyDown = [this](QKeyEvent* e) { return EditPRMKeyDown(e); };
    EditPRD->onKeyDown = [this](QKeyEvent* e) { return EditPRDKeyDown(e); };
    EditPRM->onExit = [this](Qt::FocusReason r) { EditPRMExit(r); };
    EditPRD->onExit = [this](Qt::FocusReason r) { EditPRDExit(r); };
    ComboBox->onChange = [this](int index) { ComboBoxChange(index); };
    ComboBox->onKeyDown = [this](QKeyEvent* e) { return ComboBoxKeyDown(e); };
    ComboBox->onCloseUp = [this] { ComboBoxCloseUp(); };
    ComboBox->onExit = [this](Qt::FocusReason r) { ComboBoxExit(r); };
}

// The editors outlive this part of the table while its base class deletes
// them; focus changes during that must not call back into it.
ChannelGrid::~ChannelGrid() {
    EditPRM->onKeyDown = nullptr;
    EditPRD->onKeyDown = nullptr;
    EditPRM->onExit = nullptr;
    EditPRD->onExit = nullptr;
    ComboBox->onChange = nullptr;
    ComboBox->onKeyDown = nullptr;
    ComboBox->onCloseUp = nullptr;
    ComboBox->onExit = nullptr;
}

QString ChannelGrid::cell(int col, int row) const {
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return {};
    return item(row, col)->text();
}

void ChannelGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return;
    item(row, col)->setText(text);
    viewport()->update();
}

QSize ChannelGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    const int width = frame + kNumberWidth + (kColumns - 1) * kColumnWidth +
                      verticalScrollBar()->sizeHint().width();
    const int height = frame + kHeaderHeight + 20 * kRowHeight;
    return {width, height};
}

// ---- Painting ------------------------------------------------------------------

void ChannelGrid::StringGrid1DrawCell(QPainter& p, int col, int row, const QRect& rect,
                                      bool focused) const {
    if (col == 0 || row == 0) {
        QString line1;
        QString line2;
        if (row == 0) {
            line1 = QString::fromUtf8(kHeaders[col].line1);
            line2 = QString::fromUtf8(kHeaders[col].line2);
        } else {
            line1 = QString::number(row);
        }
        paintFixedCell(p, rect, line1, line2, palette(), font());
        return;
    }
    paintDataCell(p, rect, cell(col, row), channelLook(context_, row), font(), focused);
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* e) {
    if (watched == corner_ && e->type() == QEvent::Paint) {
        QPainter p(corner_);
        StringGrid1DrawCell(p, 0, 0, corner_->rect(), false);
        return true;
    }
    return QTableWidget::eventFilter(watched, e);
}

// ---- The table's keys and clicks -----------------------------------------------

void ChannelGrid::keyPressEvent(QKeyEvent* e) {
    if (isEnter(e)) {
        e->accept();
        EditFunc(currentColumn(), currentRow());
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        context_.requestClose();
        return;
    }
    QTableWidget::keyPressEvent(e);
}

void ChannelGrid::mouseReleaseEvent(QMouseEvent* e) {
    QTableWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(e->position().toPoint());
    if (index.isValid())
        EditFunc(index.column(), index.row());
}

void ChannelGrid::EditFunc(int col, int row) {
    if (col < 1 || row < 1 || col >= kColumns || row >= kRows)
        return;
    if (col != currentColumn() || row != currentRow())
        return;
    switch (col) {
    case 1:
        SelFrqPRM(col, row);
        break;
    case 2:
        SelFrqPRD(col, row);
        break;
    case 3:
    case 4:
        SelSUB(col, row);
        break;
    case 5:
        toggle(col, row, kBanMark);
        break;
    case 6:
        toggle(col, row, kSMark);
        break;
    case 7:
        toggleL(row);
        break;
    }
}

void ChannelGrid::toggle(int col, int row, const QString& mark) {
    setCell(col, row, cell(col, row) == mark ? QString() : mark);
}

void ChannelGrid::toggleL(int row) {
    if (cell(7, row) == kLMark) {
        setCell(7, row, QString());
        return;
    }
    if (context_.priorityScanning())
        setCell(7, row, kLMark);
    else
        messenger().information(kLListMessage);
}

// ---- Opening and closing the editors --------------------------------------------

void ChannelGrid::openEditor(QWidget* editor, int col, int row) {
    for (QWidget* other : {static_cast<QWidget*>(EditPRM), static_cast<QWidget*>(EditPRD),
                           static_cast<QWidget*>(ComboBox)})
        if (other != editor && !other->isHidden())
            other->hide();
    editCol_ = col;
    editRow_ = row;
    const QModelIndex index = model()->index(row, col);
    scrollTo(index);
    const QRect r = visualRect(index);
    editor->setGeometry(r.left() + 1, r.top() + 1, r.width() + 1, r.height() + 1);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void ChannelGrid::SelFrqPRM(int col, int row) {
    EditPRM->clear();
    openEditor(EditPRM, col, row);
    EditPRM->setText(cell(col, row));
    EditPRM->selectAll();
}

void ChannelGrid::SelFrqPRD(int col, int row) {
    EditPRD->clear();
    openEditor(EditPRD, col, row);
    EditPRD->setText(cell(col, row));
    EditPRD->selectAll();
}

void ChannelGrid::SelSUB(int col, int row) {
    ComboBox->fill();
    openEditor(ComboBox, col, row);
    {
        const QSignalBlocker block(ComboBox);
        const QString text = cell(col, row);
        const int index = ComboBox->findText(text, Qt::MatchExactly);
        ComboBox->setCurrentIndex(index);
        if (index < 0)
            ComboBox->setEditText(text); // a code without a tone, kept as shown
    }
    ComboBox->showPopup();
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

// ---- Frequency editors ------------------------------------------------------------

bool ChannelGrid::acceptFrequency(const QString& text) const {
    const FrqCheck check = TestFrq(text.toStdString(), context_.allowedRanges());
    if (!check.ok && !check.message.empty())
        messenger().error(QString::fromStdString(check.message));
    return check.ok;
}

bool ChannelGrid::frequencyKeyDown(FrequencyEdit* editor, QKeyEvent* e, bool transmit) {
    const QString text = editor->text();
    const QString cellText = cell(editCol_, editRow_);
    const RangeTable& ranges = context_.allowedRanges();
    if (isEnter(e)) {
        if (transmit && (text == QStringLiteral("0") || text.isEmpty() || text == kOffText)) {
            setCell(editCol_, editRow_, kOffText);
            hideEditor(editor);
        } else if (acceptFrequency(text)) {
            setCell(editCol_, editRow_, text);
            hideEditor(editor);
        }
        return true;
    }
    if (e->key() == Qt::Key_Escape || isTab(e)) {
        hideEditor(editor);
        return true;
    }
    if (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown) {
        const StepDirection dir =
            e->key() == Qt::Key_PageUp ? StepDirection::Up : StepDirection::Down;
        editor->setText(transmit ? transmitStep(text, cellText, dir, ranges)
                                 : receiveStep(text, cellText, dir, ranges));
        return true;
    }
    return false;
}

bool ChannelGrid::EditPRMKeyDown(QKeyEvent* e) {
    return frequencyKeyDown(EditPRM, e, false);
}

bool ChannelGrid::EditPRDKeyDown(QKeyEvent* e) {
    return frequencyKeyDown(EditPRD, e, true);
}

void ChannelGrid::EditPRMExit(Qt::FocusReason reason) {
    leaveEditor(EditPRM, reason);
}

void ChannelGrid::EditPRDExit(Qt::FocusReason reason) {
    leaveEditor(EditPRD, reason);
}

// ---- Subtone list ----------------------------------------------------------------------

void ChannelGrid::ComboBoxChange(int index) {
    if (index >= 0 && editCol_ >= 3 && editCol_ <= 4 && editRow_ >= 1)
        setCell(editCol_, editRow_, ComboBox->itemText(index));
}

bool ChannelGrid::ComboBoxKeyDown(QKeyEvent* e) {
    if (isEnter(e)) {
        const QAbstractItemView* list = ComboBox->view();
        const int index = list->isVisible() && list->currentIndex().isValid()
                              ? list->currentIndex().row()
                              : ComboBox->currentIndex();
        if (index >= 0) {
            if (index != ComboBox->currentIndex())
                ComboBox->setCurrentIndex(index);
            else
                ComboBoxChange(index);
        }
        ComboBox->hidePopup();
        hideEditor(ComboBox);
        return true;
    }
    if (e->key() == Qt::Key_Escape || isTab(e)) {
        ComboBox->hidePopup();
        hideEditor(ComboBox);
        return true;
    }
    return false;
}

void ChannelGrid::ComboBoxCloseUp() {
    if (!ComboBox->isHidden())
        hideEditor(ComboBox);
}

void ChannelGrid::ComboBoxExit(Qt::FocusReason reason) {
    leaveEditor(ComboBox, reason);
}

} // namespace ksv
