#include "files/user_preferences.h"

#include "files/shown_path.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace ksv {
namespace {

constexpr const char* kWindowGeometry = "window/geometry";
constexpr const char* kArchiveFolder = "archive/folder";

} // namespace

QString userPreferencesFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("KSV717N/ksv717n.ini"));
}

UserPreferences::UserPreferences(QString file) : file_(std::move(file)) {}

std::optional<QString> UserPreferences::text(const char* key) const {
    if (!QFileInfo(file_).isFile())
        return std::nullopt;
    const QSettings ini(file_, QSettings::IniFormat);
    const QVariant value = ini.value(QLatin1String(key));
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

QByteArray UserPreferences::windowGeometry() const {
    const auto encoded = text(kWindowGeometry);
    return encoded ? QByteArray::fromBase64(encoded->toLatin1()) : QByteArray();
}

std::optional<QString> UserPreferences::archiveFolder() const {
    auto folder = text(kArchiveFolder);
    if (folder && folder->isEmpty())
        return std::nullopt;
    return folder;
}

bool UserPreferences::store(const char* key, const QString* value, QString* reason) const {
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSettings ini(file_, QSettings::IniFormat);
    if (value)
        ini.setValue(QLatin1String(key), *value);
    else
        ini.remove(QLatin1String(key));
    ini.sync();
    if (ini.status() == QSettings::NoError)
        return true;
    if (reason)
        *reason = QStringLiteral("не удалось записать файл %1").arg(shownPath(file_));
    return false;
}

bool UserPreferences::setWindowGeometry(const QByteArray& geometry, QString* reason) const {
    const QString encoded = QString::fromLatin1(geometry.toBase64());
    return store(kWindowGeometry, &encoded, reason);
}

bool UserPreferences::setArchiveFolder(const QString& folder, QString* reason) const {
    return store(kArchiveFolder, &folder, reason);
}

bool UserPreferences::clearArchiveFolder(QString* reason) const {
    return store(kArchiveFolder, nullptr, reason);
}

} // namespace ksv
