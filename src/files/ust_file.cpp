#include "files/ust_file.h"

#include "files/file_names.h"
#include "files/shown_path.h"
#include "serial/os/file_system.h"

#include <cstring>

namespace ksv {
namespace {

// One byte more than a settings file, so that a longer file is recognised
// without reading it.
constexpr std::size_t kProbeSize = kImageSize + 1;

UstReadResult fail(UstReadStatus s, QString reason) {
    return {s, std::move(reason)};
}

} // namespace

UstReadResult ReadUSTFile(const QString& path, Image& image) {
    if (path.isEmpty())
        return fail(UstReadStatus::NotFound, QStringLiteral("имя файла не задано"));

    const os::FilePrefix file = os::readFilePrefix(nameForSystem(path), kProbeSize);
    const QString reason = QString::fromStdString(file.reason);
    if (file.status == os::FilePrefix::NotFound)
        return fail(UstReadStatus::NotFound, reason);
    if (file.status == os::FilePrefix::Unreadable)
        return fail(UstReadStatus::Unreadable, reason);
    if (file.bytes.size() != kImageSize) {
        const qint64 length = file.bytes.size() < kProbeSize
                                  ? static_cast<qint64>(file.bytes.size())
                                  : static_cast<qint64>(file.size);
        return fail(UstReadStatus::Damaged,
                    QStringLiteral("длина %1 байт вместо %2").arg(length).arg(kImageSize));
    }

    Image loaded;
    std::memcpy(loaded.data(), file.bytes.data(), kImageSize);
    if (!Image::validBand(loaded.band()))
        return fail(
            UstReadStatus::Damaged,
            QStringLiteral("в байте 228 код диапазона %1 вместо 1 или 2").arg(loaded.band()));

    image = loaded;
    return {};
}

QString readFailureMessage(const UstReadResult& result, const QString& name) {
    switch (result.status) {
    case UstReadStatus::Ok:
        return {};
    case UstReadStatus::NotFound:
        return QStringLiteral("Файл ") + shownPath(name) + QStringLiteral(" не найден");
    case UstReadStatus::Damaged:
        return QStringLiteral("Файл ") + shownPath(name) + QStringLiteral(" поврежден");
    case UstReadStatus::Unreadable:
        break;
    }
    return QStringLiteral("Файл ") + shownPath(name) + QStringLiteral(" не удается прочитать: ") +
           result.reason;
}

UstWriteResult WriteUSTFile(const QString& path, const Image& image) {
    return replaceFileAtomically(
        path, QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize));
}

QString writeFailureMessage(const QString& name) {
    return QStringLiteral("Файл ") + shownPath(name) + QStringLiteral(" не записан");
}

} // namespace ksv
