#include "ui/main/no_stored_settings.h"

#include <QSettings>

namespace ksv {

void storeNoQtSettings() {
    // A file is no folder: no settings file can be created below it, and Qt
    // gives up writing without a message.
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

} // namespace ksv
