#include "files/ust_file.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ksv {
namespace {

// One byte more than a settings file, so that a longer file is recognised
// without reading it.
constexpr qint64 kProbeSize = static_cast<qint64>(kImageSize) + 1;

QString systemReason(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на чтение");
    case EISDIR:
        return QStringLiteral("это папка, а не файл");
    case ELOOP:
        return QStringLiteral("слишком много символических ссылок");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода");
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

// Closes the descriptor on every path out of the reader.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

UstReadResult fail(UstReadStatus s, QString reason) {
    return {s, std::move(reason)};
}

} // namespace

UstReadResult ReadUSTFile(const QString& path, Image& image) {
    if (path.isEmpty())
        return fail(UstReadStatus::NotFound, QStringLiteral("имя файла не задано"));

    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that opening a FIFO returns at once instead of waiting
    // for a writer; the file type is checked before anything is read.
    const Fd fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return fail(UstReadStatus::NotFound, QStringLiteral("файл не найден"));
        return fail(UstReadStatus::Unreadable, systemReason(err));
    }

    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(UstReadStatus::Unreadable, systemReason(errno));
    if (S_ISDIR(st.st_mode))
        return fail(UstReadStatus::Unreadable, systemReason(EISDIR));
    if (!S_ISREG(st.st_mode))
        return fail(UstReadStatus::Unreadable,
                    QStringLiteral("это не обычный файл (устройство или канал)"));

    char buffer[kProbeSize];
    qint64 got = 0;
    while (got < kProbeSize) {
        const ssize_t n = ::read(fd.get(), buffer + got, static_cast<size_t>(kProbeSize - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(UstReadStatus::Unreadable, systemReason(errno));
        }
        if (n == 0)
            break;
        got += n;
    }

    if (got != static_cast<qint64>(kImageSize)) {
        const qint64 length = got < kProbeSize ? got : static_cast<qint64>(st.st_size);
        return fail(UstReadStatus::Damaged,
                    QStringLiteral("длина %1 байт вместо %2").arg(length).arg(kImageSize));
    }

    Image loaded;
    std::memcpy(loaded.data(), buffer, kImageSize);
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
        return QStringLiteral("Файл ") + name + QStringLiteral(" не найден");
    case UstReadStatus::Damaged:
        return QStringLiteral("Файл ") + name + QStringLiteral(" поврежден");
    case UstReadStatus::Unreadable:
        break;
    }
    return QStringLiteral("Файл ") + name + QStringLiteral(" не удается прочитать: ") +
           result.reason;
}

UstWriteResult WriteUSTFile(const QString& path, const Image& image) {
    return replaceFileAtomically(
        path, QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize));
}

QString writeFailureMessage(const QString& name) {
    return QStringLiteral("Файл ") + name + QStringLiteral(" не записан");
}

} // namespace ksv
