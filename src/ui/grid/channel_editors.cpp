#include "ui/grid/channel_editors.h"

#include "image/codecs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace ksv {

namespace {

constexpr int kFrequencyLength = 6;

// Tab and Shift+Tab are handed to the key hook instead of moving the focus.
bool isTabKey(const QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return false;
    const auto* k = static_cast<const QKeyEvent*>(e);
    return k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
}

} // namespace

FrequencyEdit::FrequencyEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
    setMaxLength(kFrequencyLength);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setFrame(false);
    hide();
}

bool FrequencyEdit::isTypeable(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut) ||
        e->matches(QKeySequence::SelectAll) || e->matches(QKeySequence::Undo) ||
        e->matches(QKeySequence::Redo))
        return true;
    const QString text = e->text();
    return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9' &&
           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool FrequencyEdit::event(QEvent* e) {
    if (isTabKey(e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QLineEdit::event(e);
}

void FrequencyEdit::keyPressEvent(QKeyEvent* e) {
    e->accept();
    if (onKeyDown && onKeyDown(e))
        return;
    if (e->matches(QKeySequence::Paste)) {
        QString digits;
        for (const QChar c : QApplication::clipboard()->text())
            if (c >= u'0' && c <= u'9')
                digits += c;
        insert(digits);
        return;
    }
    if (!isTypeable(e))
        return;
    QLineEdit::keyPressEvent(e);
    e->accept();
}

void FrequencyEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (onExit)
        onExit(e->reason());
}

SubtoneBox::SubtoneBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("subtoneList"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(16);
    hide();

    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (onChange)
            onChange(index);
    });
    // Typing into the closed box drops the list down.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (!view()->isVisible())
            showPopup();
    });
    QAbstractItemView* list = view();
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    popup_ = list->parentWidget();
    if (popup_)
        popup_->installEventFilter(this);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { viewCurrentChanged(current); });
}

void SubtoneBox::fill() {
    const QSignalBlocker block(this);
    clear();
    addItem(QString::fromUtf8(kOff));
    for (const char* tone : subtoneTable())
        addItem(QString::fromUtf8(tone));
}

void SubtoneBox::showPopup() {
    keyboardMove_ = false;
    QComboBox::showPopup();
}

bool SubtoneBox::event(QEvent* e) {
    if (isTabKey(e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QComboBox::event(e);
}

void SubtoneBox::keyPressEvent(QKeyEvent* e) {
    if (!(onKeyDown && onKeyDown(e)))
        QComboBox::keyPressEvent(e);
    e->accept();
}

void SubtoneBox::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    // The open list takes the focus into its own window, once with the popup
    // reason and once more as its view is focused: both count as the popup's.
    QWidget* to = QApplication::focusWidget();
    const bool intoList = popup_ && to && (to == popup_ || popup_->isAncestorOf(to));
    if (onExit)
        onExit(intoList ? Qt::PopupFocusReason : e->reason());
}

bool SubtoneBox::eventFilter(QObject* watched, QEvent* e) {
    QAbstractItemView* list = view();
    if (watched == list && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (onKeyDown && onKeyDown(k))
            return true;
        keyboardMove_ = true;
    } else if (watched == list->viewport() &&
               (e->type() == QEvent::MouseMove || e->type() == QEvent::MouseButtonPress)) {
        keyboardMove_ = false;
    } else if (watched == popup_ && e->type() == QEvent::Hide) {
        keyboardMove_ = false;
        if (onCloseUp)
            onCloseUp();
    }
    return QComboBox::eventFilter(watched, e);
}

void SubtoneBox::viewCurrentChanged(const QModelIndex& current) {
    if (keyboardMove_ && current.isValid() && current.row() != currentIndex())
        setCurrentIndex(current.row());
}

} // namespace ksv
