#pragma once

// What a series written from the window starts from, where it keeps what it
// leaves behind, and the texts its window shows besides the table.

#include "image/image.h"
#include "image/mode.h"
#include "operations/fleet_run.h"
#include "operations/fleet_session.h"

#include <QDateTime>
#include <QString>

namespace ksv {

// The window's settings as F5 stores them, and where they go.
struct SeriesSource {
    Image image;
    QString filePath;  // the settings file whose bytes image is, "" when none
    QString portLabel; // "COM1 (/dev/ttyUSB0)"
    OperatingMode mode = omUser;
    const StateArchive* archive = nullptr; // where every state read is kept
};

// The source of a series from the window's stored image and the file its
// status bar names. The file is named only while the image equals its
// bytes: after F4, or edits not saved, the settings are the window's own.
SeriesSource seriesSource(const Image& image, const QString& shownFile, const QString& portLabel,
                          OperatingMode mode);

// "<documents>/KSV717N/Серия 2026-12-08 14-05", with " (2)", " (3)" ... when
// a folder of that name exists already.
QString proposedSeriesFolder(const QString& documents, const QDateTime& now);

// The run's plan: the log "журнал.csv", the backups in "копии" (always) and
// the cards in "карты" (when asked for) inside the series folder; every
// state read also goes into the source's archive. Settings that are not a
// file are "установки окна" in the log, and so is its hash.
FleetPlan seriesPlan(const SeriesSource& source, const QString& folder, bool cards);

// "Тарвен-52, файл шаблон.ust", or "Тарвен-52, установки окна".
QString seriesSourceText(const SeriesSource& source);

// The counts as the command line's summary names them:
// "Итого радиостанций: 3", and on a line of its own "записано: 1, уже
// записано: 1, отказ: 1, ...".
QString seriesCountsText(const FleetSummary& counts, int cardsFailed, bool withCards);

} // namespace ksv
