#pragma once

// The outcome messages of the read and write commands, shared by the window
// and the command line so that both say exactly the same.

#include <QString>

namespace ksv {

inline QString noConnectionText() {
    return QStringLiteral("Нет соединения");
}
inline QString readDoneText() {
    return QStringLiteral("Данные считаны");
}
inline QString writtenText() {
    return QStringLiteral("Данные записаны");
}
inline QString writeCheckFailedText() {
    return QStringLiteral("Ошибка записи данных!");
}

} // namespace ksv
