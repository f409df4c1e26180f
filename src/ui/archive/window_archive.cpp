#include "ui/archive/window_archive.h"

#include "operations/outcome_words.h"
#include "ui/dialogs/messages.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <optional>

namespace ksv {
namespace {

const QString kPanelName = QStringLiteral("ArchivePanel");

// The panel takes the room the status bar's other panels leave (the file
// panel first shows its whole path) and shortens its own text in the middle,
// so that the number's folder and the state's file name stay readable.
class ElidingLabel final : public QLabel {
public:
    explicit ElidingLabel(QWidget* bar) : QLabel(bar) { bar->installEventFilter(this); }

    QSize sizeHint() const override {
        const int whole = fontMetrics().horizontalAdvance(text()) + 8;
        const int least = minimumSizeHint().width();
        asked_ = std::clamp(roomLeft(), least, std::max(least, whole));
        return {asked_, QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override {
        return {fontMetrics().horizontalAdvance(QStringLiteral("Архив: …")),
                QLabel::minimumSizeHint().height()};
    }

protected:
    // The bar's layout keeps the width it last asked for until it is told;
    // told only when the width changes, so that asking starts no new round.
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool relaid =
            event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest;
        if (relaid && watched == parentWidget() && sizeHint().width() != told_) {
            told_ = asked_;
            updateGeometry();
        }
        return QLabel::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
        style()->drawItemText(&painter, room, Qt::AlignRight | Qt::AlignVCenter, palette(),
                              isEnabled(), shown, foregroundRole());
    }

private:
    mutable int asked_ = 0; // the width last asked for
    int told_ = 0;          // the width the bar's layout was last told of

    // The bar's width less what its other panels ask for and the gaps.
    int roomLeft() const {
        int room = parentWidget()->width() - 24;
        for (const QWidget* other :
             parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != this && other->isVisible())
                room -= other->sizeHint().width() + 6;
        return room;
    }
};

QLabel* panel(QMainWindow& window) {
    QStatusBar* bar = window.statusBar();
    auto* label = bar->findChild<QLabel*>(kPanelName);
    if (!label) {
        label = new ElidingLabel(bar);
        label->setObjectName(kPanelName);
        bar->addPermanentWidget(label);
    }
    return label;
}

// The path below the archive's folder, as the file manager shows it.
QString shownInArchive(const StateArchive& archive, const QString& path) {
    return QDir::toNativeSeparators(QDir(archive.root()).relativeFilePath(path));
}

} // namespace

const StateArchive& windowArchive() {
    static std::optional<StateArchive> archive;
    const QString root = defaultArchiveRoot();
    if (!archive || archive->root() != root)
        archive.emplace(root);
    return *archive;
}

void showKeptRead(QMainWindow& window, const StateArchive& archive, const KeepResult& kept) {
    QLabel* label = panel(window);
    switch (kept.status) {
    case KeepResult::Off:
        label->clear();
        label->setToolTip({});
        return;
    case KeepResult::Kept:
        label->setText(QStringLiteral("Архив: ") + shownInArchive(archive, kept.path));
        break;
    case KeepResult::Unchanged:
        label->setText(QStringLiteral("Архив: без изменений, ") +
                       shownInArchive(archive, kept.path));
        break;
    case KeepResult::Failed:
        label->setText(QStringLiteral("Архив: не сохранено"));
        label->setToolTip(readNotKeptText(kept.reason));
        // Told once in a window's life; the panel says it after every read.
        if (!label->property("failureTold").toBool())
            messenger().error(readNotKeptText(kept.reason));
        label->setProperty("failureTold", true);
        return;
    }
    label->setToolTip(QDir::toNativeSeparators(kept.path));
}

QString archiveStatus(QMainWindow& window) {
    return panel(window)->text();
}

} // namespace ksv
