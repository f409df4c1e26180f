#include "cli/cli_io.h"

#include "files/file_names.h"
#include "files/shown_path.h"
#include "files/ust_file.h"
#include "serial/os/file_system.h"
#include "serial/os/utf8.h"

namespace ksv::cli {

std::ostream& operator<<(std::ostream& s, const QString& text) {
    // A name's bytes that are not UTF-8 are shown as U+FFFD, and what a
    // message quotes (an argument, a name) sends no control character to
    // the terminal.
    return s << os::printableLines(shownName(text).toStdString());
}

std::optional<Image> loadImage(const QString& path, CliIo& io) {
    Image image;
    const UstReadResult r = ReadUSTFile(path, image);
    if (!r.ok()) {
        io.err << readFailureMessage(r, path);
        // The window's texts say only "поврежден"; here the reason helps.
        if (r.status == UstReadStatus::Damaged && !r.reason.isEmpty())
            io.err << " (" << r.reason << ")";
        io.err << "\n";
        return std::nullopt;
    }
    return image;
}

bool saveImage(const QString& path, const Image& image, CliIo& io) {
    const UstWriteResult r = WriteUSTFile(path, image);
    if (!r.ok) {
        io.err << writeFailureMessage(path);
        if (!r.reason.isEmpty())
            io.err << ": " << r.reason;
        io.err << "\n";
    }
    return r.ok;
}

bool saveNewImage(const QString& path, const Image& image, CliIo& io) {
    const os::FileResult r =
        os::createFile(nameForSystem(path),
                       std::string_view(reinterpret_cast<const char*>(image.data()), kImageSize));
    if (!r.ok)
        io.err << writeFailureMessage(path) << ": " << QString::fromStdString(r.reason) << "\n";
    return r.ok;
}

std::optional<std::string> readTextFile(const QString& path, CliIo& io, qint64 maxBytes) {
    const os::FilePrefix file =
        os::readFilePrefix(nameForSystem(path), static_cast<std::size_t>(maxBytes) + 1);
    switch (file.status) {
    case os::FilePrefix::NotFound:
        io.err << QStringLiteral("Файл ") << shownPath(path) << QStringLiteral(" не найден\n");
        return std::nullopt;
    case os::FilePrefix::Unreadable:
        io.err << QStringLiteral("Файл ") << shownPath(path)
               << QStringLiteral(" не удается прочитать: ") << file.reason << "\n";
        return std::nullopt;
    case os::FilePrefix::Ok:
        break;
    }
    if (file.bytes.size() > static_cast<std::size_t>(maxBytes)) {
        io.err << QStringLiteral("Файл ") << shownPath(path)
               << QStringLiteral(" слишком большой для таблицы каналов\n");
        return std::nullopt;
    }
    return file.bytes;
}

bool writeOutputFile(const QString& path, const QByteArray& bytes, CliIo& io) {
    const FileWriteResult r = replaceFileAtomically(path, bytes);
    if (!r.ok)
        io.err << writeFailureMessage(path) << ": " << r.reason << "\n";
    return r.ok;
}

} // namespace ksv::cli
