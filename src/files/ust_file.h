#pragma once

// Settings files (".ust"): exactly the 256 bytes of a settings image, with no
// header. Reading validates the length and the band nibble and nothing else
// (the checksum is deliberately not checked). Writing replaces the target
// atomically, so a failed save never damages the file that was there before.
// Neither function shows anything: the result says what happened, and the
// message functions below give the text the window shows.

#include "files/atomic_file.h"
#include "image/image.h"

#include <QString>

namespace ksv {

enum class UstReadStatus {
    Ok,
    NotFound,   // no file of that name (also one that vanished before it was opened)
    Damaged,    // wrong length, or a band nibble other than 1 or 2
    Unreadable, // it exists but cannot be read: permissions, a folder, a device ...
};

struct UstReadResult {
    UstReadStatus status = UstReadStatus::Ok;
    // Why, in words for the user (Russian); empty on success.
    QString reason;
    bool ok() const { return status == UstReadStatus::Ok; }
};

// Reads a settings file into image. The image is changed only on success.
// At most 257 bytes are read, so a huge file is refused at once, and a FIFO
// or a device is never waited on.
UstReadResult ReadUSTFile(const QString& path, Image& image);

// The error text for a failed read, naming the file as given.
QString readFailureMessage(const UstReadResult& result, const QString& name);

using UstWriteResult = FileWriteResult;

// Writes the 256 bytes to a temporary file in the target's folder, flushes it
// to disk and renames it over the target. On any failure the temporary file
// is removed and an existing target is left exactly as it was.
UstWriteResult WriteUSTFile(const QString& path, const Image& image);

// "Файл <name> не записан"
QString writeFailureMessage(const QString& name);

} // namespace ksv
