#pragma once

// The files a fleet run leaves behind: the log (one CSV row per set,
// appended and forced to disk as soon as the set is done; a new log begins
// with a UTF-8 byte order mark) and the backups of the images read (never
// replacing a file).

#include "image/image.h"

#include <QDateTime>
#include <QString>
#include <string>
#include <vector>

namespace ksv {

// The log's columns, in order; hashColumn names the column of the written
// settings' SHA-256 (those of a file, or the window's own).
std::vector<std::string> fleetLogColumns(const std::string& hashColumn);

// "2026-12-08T07:03:12+03:00": local time with its offset from UTC.
QString isoLocalTime(const QDateTime& when);

// Why a name may not take the log of a run that writes settingsFile: it is
// that file, another valid settings file, a symbolic link, or no regular
// file (a FIFO, a terminal, a device, a folder). Empty when the name will do.
QString fleetLogRefusal(const QString& log, const QString& settingsFile);

class FleetLog {
public:
    explicit FleetLog(std::vector<std::string> columns) : columns_(std::move(columns)) {}

    // Opens the log for appending (creating it); writes the header row into
    // an empty file. On failure error says why. Call fleetLogRefusal first.
    bool open(const QString& path, QString& error);
    // Appends one row and forces it to disk, after the rows kept from
    // before. A row that cannot be written now (the file held by another
    // program) is kept: error says why, and it goes with the next append.
    bool append(const std::vector<std::string>& cells, QString& error);
    // Writes the rows kept; false, with error, while some are still kept.
    bool flush(QString& error);
    // The rows kept, as CSV lines.
    const std::string& unwritten() const { return kept_; }

private:
    bool appendBytes(const std::string& bytes, QString& error);
    std::vector<std::string> columns_;
    QString path_;
    std::string kept_;
};

// Saves the image into dir as "<factory number>-<YYYYMMDD-HHMMSS>.ust"
// ("-2", "-3" ... before ".ust" when that name is taken). Returns the path,
// or an empty string with error set.
QString saveBackup(const QString& dir, const Image& image, const QDateTime& when, QString& error);

} // namespace ksv
