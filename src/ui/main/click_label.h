#pragma once

// A label that reports a left-button click, for the factory number label of
// the tool bar.

#include <QLabel>
#include <QMouseEvent>

namespace ksv {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace ksv
