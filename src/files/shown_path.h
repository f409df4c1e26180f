#pragma once

// A path as the user reads it: with the system's separators, any byte of
// the name that was not UTF-8 shown as U+FFFD (file_names.h) and each
// control character as "\x1b" (a name may hold an escape sequence or a line
// break). Qt spells every path with "/", which a Windows user reads as a
// foreign path ("C:/Users/Иван/654321.ust"); each path the program shows to
// a user (the status bar, messages, the card, the command line, the fleet's
// records) goes through here.

#include "files/file_names.h"
#include "serial/os/utf8.h"

#include <QDir>
#include <QString>

namespace ksv {

inline QString shownPath(const QString& path) {
    const QString shown = QDir::toNativeSeparators(shownName(path));
    return QString::fromStdString(os::printableText(shown.toStdString()));
}

} // namespace ksv
