#pragma once

// The few things the program remembers for its user between runs: where the
// window stood and the archive folder chosen in the window. They are kept in
// one INI file of the user's own ("<config>/KSV717N/ksv717n.ini": on Linux
// $XDG_CONFIG_HOME or ~/.config, on Windows the local application data
// folder), never in the registry, so that copying or deleting that file is
// all there is to it. The settings files and the archive are not here.
// Everything else the program keeps to itself (Qt's own settings go nowhere,
// see ui/main/no_stored_settings.h).

#include <QByteArray>
#include <QString>
#include <optional>

namespace ksv {

// The file the preferences live in.
QString userPreferencesFile();

class UserPreferences {
public:
    explicit UserPreferences(QString file = userPreferencesFile());

    const QString& file() const { return file_; }

    // The window's geometry as the window saved it (opaque bytes); empty
    // when nothing was kept or the file cannot be read.
    QByteArray windowGeometry() const;
    // The archive folder chosen by the user; nullopt when none was chosen.
    std::optional<QString> archiveFolder() const;

    // Each store writes the file at once. False, with the reason in words,
    // when it cannot be written (the program goes on without it).
    bool setWindowGeometry(const QByteArray& geometry, QString* reason = nullptr) const;
    bool setArchiveFolder(const QString& folder, QString* reason = nullptr) const;
    bool clearArchiveFolder(QString* reason = nullptr) const;

private:
    std::optional<QString> text(const char* key) const;
    bool store(const char* key, const QString* value, QString* reason) const;

    QString file_;
};

} // namespace ksv
