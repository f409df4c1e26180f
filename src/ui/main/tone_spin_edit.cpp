#include "ui/main/tone_spin_edit.h"

#include <QCoreApplication>
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

QSize ToneSpinEdit::sizeHint() const {
    return QSpinBox::sizeHint() + QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')), 0);
}

QSize ToneSpinEdit::minimumSizeHint() const {
    return QSpinBox::minimumSizeHint() +
           QSize(fontMetrics().horizontalAdvance(QLatin1Char('0')), 0);
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
    // Focus lost to a drop-down or to another window (a message box, another
    // program) is no leaving of the field: an empty field stays empty. The
    // base class would read the empty text as the lower limit, 500, so it
    // only hears of the focus change through the line edit.
    const Qt::FocusReason reason = event->reason();
    const bool leaving = reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
    if (isEmpty()) {
        if (!leaving) {
            QCoreApplication::sendEvent(lineEdit(), event);
            QWidget::focusOutEvent(event);
            return;
        }
        lineEdit()->setText(QString::number(kMax));
    }
    QSpinBox::focusOutEvent(event);
}

void ToneSpinEdit::hideEvent(QHideEvent* event) {
    // Hidden with its page or group box, an empty field is left as the user
    // would leave it; the base class would otherwise make it 500.
    if (isEmpty())
        lineEdit()->setText(QString::number(kMax));
    QSpinBox::hideEvent(event);
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
