#include "ui/tone_spin_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

namespace ksv {

ToneSpinEdit::ToneSpinEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(kMin, kMax);
    setSingleStep(10);
    setValue(kMax);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(false);
    lineEdit()->setMaxLength(4);
}

bool ToneSpinEdit::isEmpty() const {
    return cleanText().trimmed().isEmpty();
}

int ToneSpinEdit::effectiveValue() const {
    if (isEmpty())
        return kMax;
    bool ok = false;
    const int v = cleanText().trimmed().toInt(&ok);
    if (!ok)
        return value();
    return std::clamp(v, kMin, kMax);
}

void ToneSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (isEmpty())
            return;
        setValue(effectiveValue());
        emit enterPressed();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void ToneSpinEdit::focusOutEvent(QFocusEvent* event) {
    // Focus lost to a drop-down or to a message box is no leaving of the field.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
        if (isEmpty())
            lineEdit()->setText(QString::number(kMax));
    }
    QSpinBox::focusOutEvent(event);
}

void ToneSpinEdit::wheelEvent(QWheelEvent* event) {
    // The wheel only turns a field the user is working in.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

} // namespace ksv
