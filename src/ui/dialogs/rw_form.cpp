#include "ui/dialogs/rw_form.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace ksv {

namespace {

constexpr int kClientWidth = 486;
constexpr int kClientHeight = 29;
constexpr int kGaugeMax = 256;

// A gauge in the classic style: a navy bar on white, the percentage in the
// middle drawn white over the bar and navy over the rest, so it reads at
// every value.
class Gauge : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect frame = rect().adjusted(0, 0, -1, -1);
        const QRect inner = rect().adjusted(1, 1, -1, -1);
        const int span = maximum() - minimum();
        const int filled = span > 0 ? inner.width() * (value() - minimum()) / span : 0;
        const QRect bar(inner.left(), inner.top(), filled, inner.height());
        const QRect rest(inner.left() + filled, inner.top(), inner.width() - filled,
                         inner.height());
        p.fillRect(inner, Qt::white);
        p.fillRect(bar, QColor(0, 0, 128));
        p.setPen(Qt::gray);
        p.drawRect(frame);
        const QString label = text();
        p.setClipRect(bar);
        p.setPen(Qt::white);
        p.drawText(inner, Qt::AlignCenter, label);
        p.setClipRect(rest);
        p.setPen(QColor(0, 0, 128));
        p.drawText(inner, Qt::AlignCenter, label);
    }
};

} // namespace

TRWForm::TRWForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Gauge1(new Gauge(this)) {
    setObjectName(QStringLiteral("RWForm"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, kGaugeMax);
    Gauge1->setValue(0);
    Gauge1->setTextVisible(true);
    Gauge1->setFormat(QStringLiteral("%p%"));
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                       "QProgressBar::chunk { background-color: navy; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Gauge1);
    // FormClose.
    connect(this, &QDialog::finished, this, [this] {
        if (onClose)
            onClose();
    });
}

void TRWForm::exchangeStarting(ExchangeKind kind) {
    ended_ = false;
    setWindowTitle(exchangeCaption(kind));
}

void TRWForm::showProgress(int value) {
    Gauge1->setValue(std::clamp(value, 0, kGaugeMax));
}

void TRWForm::runExchange() {
    if (ended_)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

void TRWForm::endExchange() {
    ended_ = true;
    if (isVisible())
        done(QDialog::Accepted);
}

} // namespace ksv
