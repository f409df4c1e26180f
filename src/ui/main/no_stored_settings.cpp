#include "ui/main/no_stored_settings.h"

#include <QCoreApplication>
#include <QSettings>

namespace ksv {

void storeNoQtSettings() {
    // A file is no folder: no settings file can be created below it, and Qt
    // gives up writing without a message.
#ifdef Q_OS_WIN
    // Windows' native format is the registry, which cannot be moved: Qt's
    // own settings are kept in INI files instead, below the program file.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    const QString nowhere = QCoreApplication::applicationFilePath();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, nowhere);
#else
    const QString nowhere = QStringLiteral("/dev/null");
#endif
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

} // namespace ksv
