#pragma once

// Replacing the contents of a file so that a failed or interrupted write
// leaves the file that was there before exactly as it was: the bytes go to a
// temporary file beside the target, are synced to disk, and the temporary
// file is renamed over the target. Settings files, and the command line's
// PDF and CSV files, are all written this way.

#include <QByteArray>
#include <QString>

namespace ksv {

struct FileWriteResult {
    bool ok = false;
    QString reason; // the system's explanation of a failure; empty on success
};

// Only a regular file (or a name not yet taken) is replaced: a device or a
// FIFO would be swapped for a plain file by the rename. A symbolic link at
// the name is replaced itself; its target is never written. On any failure
// the temporary file is removed.
FileWriteResult replaceFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace ksv
