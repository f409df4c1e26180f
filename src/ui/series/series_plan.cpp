#include "ui/series/series_plan.h"

#include "files/shown_path.h"
#include "files/ust_file.h"
#include "image/codecs.h"
#include "operations/outcome_words.h"

#include <QDir>
#include <QFileInfo>

namespace ksv {

namespace {

QString windowSettingsText() {
    return QStringLiteral("установки окна");
}

} // namespace

SeriesSource seriesSource(const Image& image, const QString& shownFile, const QString& portLabel,
                          OperatingMode mode) {
    SeriesSource source{image, {}, portLabel, mode};
    Image onDisk;
    if (!shownFile.isEmpty() && ReadUSTFile(shownFile, onDisk).ok() && onDisk == image)
        source.filePath = shownFile;
    return source;
}

QString proposedSeriesFolder(const QString& documents, const QDateTime& now) {
    const QString base = QDir(documents).filePath(QStringLiteral("KSV717N/Серия ") +
                                                  now.toString(QStringLiteral("yyyy-MM-dd HH-mm")));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return folder;
}

FleetPlan seriesPlan(const SeriesSource& source, const QString& folder, bool cards) {
    const QDir dir(folder);
    FleetPlan plan;
    plan.file = source.image;
    plan.filePath = source.filePath;
    const bool file = !source.filePath.isEmpty();
    plan.fileName = file ? QFileInfo(source.filePath).fileName() : windowSettingsText();
    if (!file)
        plan.hashColumn = QStringLiteral("SHA-256 установок окна");
    plan.portLabel = source.portLabel;
    plan.mode = source.mode;
    plan.backupDir = dir.filePath(QStringLiteral("копии"));
    plan.cardsDir = cards ? dir.filePath(QStringLiteral("карты")) : QString();
    plan.logPath = dir.filePath(QStringLiteral("журнал.csv"));
    plan.archive = source.archive;
    return plan;
}

QString seriesSourceText(const SeriesSource& source) {
    const QString model = QString::fromUtf8(modelName(RsType(source.image)));
    if (source.filePath.isEmpty())
        return QStringLiteral("%1, %2").arg(model, windowSettingsText());
    return QStringLiteral("%1, файл %2")
        .arg(model, shownPath(QFileInfo(source.filePath).fileName()));
}

QString seriesCountsText(const FleetSummary& counts, int cardsFailed, bool withCards) {
    QStringList parts;
    for (int i = 0; i < kFleetResultCount; ++i) {
        const auto r = static_cast<FleetResult>(i);
        parts << QStringLiteral("%1: %2").arg(fleetSummaryName(r)).arg(counts.count(r));
    }
    if (withCards)
        parts << QStringLiteral("%1: %2").arg(fleetCardsFailedName()).arg(cardsFailed);
    return QStringLiteral("Итого радиостанций: %1\n%2")
        .arg(counts.sets)
        .arg(parts.join(QStringLiteral(", ")));
}

} // namespace ksv
