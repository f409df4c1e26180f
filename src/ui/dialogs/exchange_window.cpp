#include "ui/dialogs/exchange_window.h"

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

ExchangeWindow::ExchangeWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      progressBar(new Gauge(this)) {
    setObjectName(QStringLiteral("ExchangeWindow"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, kGaugeMax);
    progressBar->setValue(0);
    progressBar->setTextVisible(true);
    progressBar->setFormat(QStringLiteral("%p%"));
    progressBar->setAlignment(Qt::AlignCenter);
    progressBar->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                       "QProgressBar::chunk { background-color: navy; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(progressBar);
    // However the window closes, the exchange hears of it.
    connect(this, &QDialog::finished, this, [this] {
        if (onClose)
            onClose();
    });
}

void ExchangeWindow::exchangeStarting(ExchangeKind kind) {
    ended_ = false;
    setWindowTitle(exchangeCaption(kind));
}

void ExchangeWindow::showProgress(int value) {
    progressBar->setValue(std::clamp(value, 0, kGaugeMax));
}

void ExchangeWindow::runExchange() {
    if (ended_)
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

void ExchangeWindow::endExchange() {
    ended_ = true;
    if (isVisible())
        done(QDialog::Accepted);
}

} // namespace ksv
