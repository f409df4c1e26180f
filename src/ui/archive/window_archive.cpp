#include "ui/archive/window_archive.h"

#include "operations/outcome_words.h"
#include "ui/dialogs/messages.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <optional>

namespace ksv {
namespace {

const QString kPanelName = QStringLiteral("ArchivePanel");

QLabel* panel(QMainWindow& window) {
    QStatusBar* bar = window.statusBar();
    auto* label = bar->findChild<QLabel*>(kPanelName);
    if (!label) {
        label = new QLabel(bar);
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
