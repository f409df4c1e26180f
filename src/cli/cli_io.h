#pragma once

// Where the command line's output goes, and the file helpers its commands
// share: settings files through the library's reader and writer, text files
// written atomically like settings files.

#include "image/image.h"
#include "link/port_exchange.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <ostream>
#include <string>

namespace ksv::cli {

struct CliIo {
    std::ostream& out;          // results: reports, CSV, notices
    std::ostream& err;          // errors, warnings, progress
    bool errIsTerminal = false; // draw a progress bar on err while exchanging
    ExchangeTimings timings{};  // of the exchanges with the transceiver (tests shorten them)
};

std::ostream& operator<<(std::ostream& s, const QString& text);

// Reads a settings file; on failure prints the reason to err.
std::optional<Image> loadImage(const QString& path, CliIo& io);

// Writes a settings file; on failure prints "Файл <path> не записан" and why.
bool saveImage(const QString& path, const Image& image, CliIo& io);

// Writes a settings file under a name no file has yet, never replacing one;
// on failure prints "Файл <path> не записан" and why.
bool saveNewImage(const QString& path, const Image& image, CliIo& io);

// Reads a text file of at most maxBytes; on failure prints the reason.
std::optional<std::string> readTextFile(const QString& path, CliIo& io,
                                        qint64 maxBytes = 4 * 1024 * 1024);

// Replaces a file with the bytes (temporary file, then rename), as settings
// files are written; on failure prints "Файл <path> не записан" and why.
bool writeOutputFile(const QString& path, const QByteArray& bytes, CliIo& io);

} // namespace ksv::cli
