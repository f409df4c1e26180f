#include "operations/fleet_files.h"

#include "files/file_names.h"
#include "files/ust_file.h"
#include "formats/csv_reader.h"
#include "image/codecs.h"

#include "serial/os/file_system.h"

#include <QDir>
#include <cstdlib>
#include <optional>

namespace ksv {
namespace {

constexpr char kSeparator = ';';
constexpr int kMaxBackupSuffix = 1000;

std::string csvRow(const std::vector<std::string>& cells) {
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i)
        row += (i ? std::string(1, kSeparator) : std::string()) +
               formats::csvField(cells[i], kSeparator);
    return row + "\n";
}

// What goes before the first row of this run: the header into an empty
// file, a line end after a last line without one; nothing when the file
// cannot be read (error says why).
std::optional<std::string> logStart(const std::string& path, const std::string& header,
                                    QString& error) {
    if (os::fileKind(path) != os::FileKind::Regular)
        return header;
    // A regular file, so reading never waits: its size, then its last byte.
    os::FilePrefix file = os::readFilePrefix(path, 0);
    if (file.status == os::FilePrefix::Ok && file.size > 0)
        file = os::readFilePrefix(path, 1, file.size - 1);
    if (file.status != os::FilePrefix::Ok) {
        error = QString::fromStdString(file.reason);
        return std::nullopt;
    }
    if (file.bytes.empty())
        return header;
    return file.bytes == "\n" ? std::string() : std::string("\n");
}

} // namespace

std::vector<std::string> fleetLogColumns(const std::string& hashColumn) {
    return {
        "Время",     "Порт",          "Модель", "Зав. №",   "Версия ПО",
        "Результат", "Байт записано", "Файл",   hashColumn, "Примечание",
    };
}

QString isoLocalTime(const QDateTime& when) {
    const QDateTime local = when.toLocalTime();
    // Always as +HH:MM, "+00:00" too, so that every row reads alike.
    const int minutes = local.offsetFromUtc() / 60;
    const int absolute = std::abs(minutes);
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(minutes < 0 ? '-' : '+')
               .arg(absolute / 60, 2, 10, QLatin1Char('0'))
               .arg(absolute % 60, 2, 10, QLatin1Char('0'));
}

QString fleetLogRefusal(const QString& log, const QString& settingsFile) {
    const std::string path = nameForSystem(log);
    if (os::sameFile(path, nameForSystem(settingsFile)))
        return QStringLiteral("выходной файл не может совпадать с входным файлом %1")
            .arg(settingsFile);
    // Every other output replaces a link at its name; a log is appended to,
    // and never through one.
    if (os::isLink(path))
        return QStringLiteral("это символическая ссылка, журнал через неё не дописывается");
    switch (os::fileKind(path)) {
    case os::FileKind::Folder:
    case os::FileKind::Other:
        return QStringLiteral("это не обычный файл (устройство, канал или папка)");
    case os::FileKind::Regular:
    case os::FileKind::Absent:
        break;
    }
    Image image;
    if (ReadUSTFile(log, image).ok())
        return QStringLiteral("это файл установок, он не будет дописан");
    return {};
}

bool FleetLog::open(const QString& path, QString& error) {
    path_ = path;
    // A new log begins with a byte order mark, as every CSV the program writes.
    const std::optional<std::string> start = logStart(
        nameForSystem(path), std::string(formats::kUtf8ByteOrderMark) + csvRow(columns_), error);
    return start && appendBytes(*start, error);
}

bool FleetLog::append(const std::vector<std::string>& cells, QString& error) {
    kept_ += csvRow(cells);
    return flush(error);
}

bool FleetLog::flush(QString& error) {
    if (kept_.empty() || !appendBytes(kept_, error))
        return kept_.empty();
    kept_.clear();
    return true;
}

bool FleetLog::appendBytes(const std::string& bytes, QString& error) {
    const os::FileResult r = os::appendToFile(nameForSystem(path_), bytes);
    if (!r.ok)
        error = QString::fromStdString(r.reason);
    return r.ok;
}

QString saveBackup(const QString& dir, const Image& image, const QDateTime& when, QString& error) {
    const QString stem = QString::fromStdString(ZnTxt(image)) + '-' +
                         when.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), kImageSize);
    for (int n = 1; n <= kMaxBackupSuffix; ++n) {
        const QString name =
            n == 1 ? stem + QStringLiteral(".ust") : QStringLiteral("%1-%2.ust").arg(stem).arg(n);
        // With the system's separators, as the run shows it; no byte changed.
        const QString path = QDir::toNativeSeparators(QDir(dir).filePath(name));
        // Written aside, on disk and closed before it takes its name, which
        // it never takes from another file: a backup is whole or absent.
        bool taken = false;
        const os::FileResult r = os::createFile(nameForSystem(path), bytes, &taken);
        if (r.ok)
            return path;
        if (taken)
            continue;
        error = writeFailureMessage(path) + QStringLiteral(": ") + QString::fromStdString(r.reason);
        return {};
    }
    error = writeFailureMessage(QDir(dir).filePath(stem + QStringLiteral(".ust")));
    return {};
}

} // namespace ksv
