#include "files/atomic_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace ksv {

FileWriteResult replaceFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return {false, QStringLiteral("это не обычный файл (устройство или канал)")};

    // QSaveFile writes into a temporary file beside the target and renames it
    // over the target only in commit(); without a direct-write fallback, a
    // folder that refuses the temporary file makes the write fail instead of
    // overwriting the old file in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};

    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes) != size || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    // Qt 6.4 reports a write that the system broke off midway (a full disk,
    // a file size limit) as complete, and would commit the truncated file.
    // The size of the temporary file on disk tells the truth.
    if (const qint64 written = file.size(); written != size) {
        file.cancelWriting();
        return {false, QStringLiteral("записано %1 байт из %2").arg(written).arg(size)};
    }
    // commit() flushes, syncs the data to disk and renames; on failure it
    // removes the temporary file itself.
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

} // namespace ksv
