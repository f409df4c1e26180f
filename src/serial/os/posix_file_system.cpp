#include "serial/os/file_system.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ksv::os {
namespace {

std::string systemText(int err) {
    return std::strerror(err);
}

std::string writeReason(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "нет прав на запись";
    case ENOSPC:
        return "нет места на диске";
    case EROFS:
        return "диск доступен только для чтения";
    case ENOENT:
    case ENOTDIR:
        return "папка не найдена";
    default:
        return systemText(err);
    }
}

std::string readReason(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "нет прав на чтение";
    case EISDIR:
        return "это папка, а не файл";
    case ELOOP:
        return "слишком много символических ссылок";
    case EIO:
        return "ошибка ввода-вывода";
    default:
        return systemText(err);
    }
}

const char* const kNotRegular = "это не обычный файл (устройство или канал)";
const char* const kFolder = "это папка, а не файл";
const char* const kReadOnly = "файл только для чтения";
const char* const kLink = "это символическая ссылка";

FileResult failure(std::string reason) {
    return {false, std::move(reason)};
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A new file beside path, named so that no two writers meet; -1 on failure.
int openTemporary(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%d.%u.tmp", static_cast<int>(::getpid()),
                      counter.fetch_add(1));
        tempPath = folderOf(path) + "/." + nameOf(path) + suffix;
        const int fd =
            ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The bytes in a temporary file beside path, on disk and closed; mode, when
// not negative, is given to the file before it is flushed.
FileResult writeTemporary(const std::string& path, std::string_view bytes, std::string& tempPath,
                          int mode = -1) {
    const int fd = openTemporary(path, tempPath);
    if (fd < 0)
        return failure(writeReason(errno));
    const bool written = writeAll(fd, bytes) &&
                         (mode < 0 || ::fchmod(fd, static_cast<mode_t>(mode)) == 0) &&
                         ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !written) {
        const int why = written ? errno : err;
        ::unlink(tempPath.c_str());
        return failure(writeReason(why));
    }
    return {true, {}};
}

// The permission bits the new file takes over from the one it replaces, or
// -1 for a free name.
FileResult refuseUnlessReplaceable(const std::string& path, int& mode) {
    mode = -1;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {true, {}};
    if (S_ISDIR(st.st_mode))
        return failure(kFolder);
    if (!S_ISREG(st.st_mode))
        return failure(kNotRegular);
    // A file made read-only (an original kept safe) is not replaced, although
    // the folder would allow the rename; its bits count, not who asks, since
    // the administrator passes every access check.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return failure(kReadOnly);
    if (::access(path.c_str(), W_OK) != 0)
        return failure(writeReason(errno));
    mode = static_cast<int>(st.st_mode & 07777);
    return {true, {}};
}

// Renames without replacing: false with EEXIST when the name is taken.
bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that kind of rename: a hard link is atomic too.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Neither (a FAT stick): look first, then rename.
    if (fileKind(to) != FileKind::Absent || isLink(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

FileKind fileKind(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FileKind::Absent;
    if (S_ISREG(st.st_mode))
        return FileKind::Regular;
    return S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::Other;
}

bool isLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

FileResult replaceFile(const std::string& path, std::string_view bytes) {
    int mode = -1;
    if (FileResult r = refuseUnlessReplaceable(path, mode); !r.ok)
        return r;
    std::string temp;
    if (FileResult r = writeTemporary(path, bytes, temp, mode); !r.ok)
        return r;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(writeReason(err));
    }
    syncFolder(folderOf(path));
    return {true, {}};
}

FileResult createFile(const std::string& path, std::string_view bytes, bool* taken, bool readOnly) {
    if (taken)
        *taken = false;
    std::string temp;
    if (FileResult r = writeTemporary(path, bytes, temp, readOnly ? 0444 : -1); !r.ok)
        return r;
    if (!renameNoReplace(temp, path)) {
        const int err = errno;
        ::unlink(temp.c_str());
        if (taken)
            *taken = err == EEXIST;
        return failure(err == EEXIST ? "файл с таким именем уже есть" : writeReason(err));
    }
    syncFolder(folderOf(path));
    return {true, {}};
}

FileResult makeFolders(const std::string& path) {
    // Each folder from the top down: "/", "/home", "/home/user" ...
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (!folder.empty() && ::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            const int err = errno;
            if (fileKind(folder) != FileKind::Folder)
                return failure("папка " + folder + " не создана: " + writeReason(err));
        }
        if (!folder.empty() && fileKind(folder) != FileKind::Folder)
            return failure("на месте папки " + folder + " — файл");
        if (end == std::string::npos)
            return {true, {}};
    }
}

FileResult appendToFile(const std::string& path, std::string_view bytes) {
    // Non-blocking, so that a FIFO without a reader is refused at once; never
    // through a symbolic link, which every other output replaces instead.
    const int fd = ::open(
        path.c_str(),
        O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0666);
    if (fd < 0)
        return failure(errno == ENXIO ? kNotRegular : errno == ELOOP ? kLink : writeReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failure(kNotRegular);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !written)
        return failure(writeReason(written ? errno : err));
    if (st.st_size == 0)
        syncFolder(folderOf(path));
    return {true, {}};
}

namespace {

// Closes the descriptor on every path out of the reader.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

FilePrefix unreadable(std::string reason) {
    FilePrefix p;
    p.status = FilePrefix::Unreadable;
    p.reason = std::move(reason);
    return p;
}

} // namespace

FilePrefix readFilePrefix(const std::string& path, std::size_t maxBytes, std::uint64_t from) {
    // A device, FIFO or socket is refused before it is opened: opening a
    // serial port raises its modem lines.
    switch (fileKind(path)) {
    case FileKind::Folder:
        return unreadable(kFolder);
    case FileKind::Other:
        return unreadable(kNotRegular);
    case FileKind::Absent:
    case FileKind::Regular:
        break;
    }
    // Non-blocking, so that a FIFO put in its place meanwhile returns at once
    // instead of waiting for a writer; the type is checked again before
    // anything is read.
    const Descriptor d{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (d.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return FilePrefix{FilePrefix::NotFound, "файл не найден", {}, 0};
        return unreadable(readReason(errno));
    }
    struct stat st {};
    if (::fstat(d.fd, &st) != 0)
        return unreadable(readReason(errno));
    if (S_ISDIR(st.st_mode))
        return unreadable(kFolder);
    if (!S_ISREG(st.st_mode))
        return unreadable(kNotRegular);
    if (from > 0 && ::lseek(d.fd, static_cast<off_t>(from), SEEK_SET) < 0)
        return unreadable(readReason(errno));
    FilePrefix p;
    p.size = static_cast<std::uint64_t>(st.st_size);
    p.bytes.resize(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(d.fd, p.bytes.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return unreadable(readReason(errno));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    p.bytes.resize(got);
    return p;
}

} // namespace ksv::os
