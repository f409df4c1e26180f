#include "cli/cli_io.h"

#include "files/ust_file.h"

#include <QFile>
#include <QFileInfo>

namespace ksv::cli {

std::ostream& operator<<(std::ostream& s, const QString& text) {
    return s << text.toStdString();
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

std::optional<std::string> readTextFile(const QString& path, CliIo& io, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        io.err << QStringLiteral("Файл ") << path << QStringLiteral(" не найден\n");
        return std::nullopt;
    }
    if (!info.isFile()) {
        io.err << QStringLiteral("Файл ") << path
               << QStringLiteral(" не удается прочитать: это не обычный файл\n");
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        io.err << QStringLiteral("Файл ") << path << QStringLiteral(" не удается прочитать: ")
               << f.errorString() << "\n";
        return std::nullopt;
    }
    const QByteArray data = f.read(maxBytes + 1);
    if (data.size() > maxBytes) {
        io.err << QStringLiteral("Файл ") << path
               << QStringLiteral(" слишком большой для таблицы каналов\n");
        return std::nullopt;
    }
    return data.toStdString();
}

bool writeOutputFile(const QString& path, const QByteArray& bytes, CliIo& io) {
    const FileWriteResult r = replaceFileAtomically(path, bytes);
    if (!r.ok)
        io.err << writeFailureMessage(path) << ": " << r.reason << "\n";
    return r.ok;
}

} // namespace ksv::cli
