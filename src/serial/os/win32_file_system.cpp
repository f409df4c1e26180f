// The file operations on Windows: UTF-8 names turned into UTF-16 for the W
// calls, so that Cyrillic user names and folders work whatever the system's
// ANSI code page is.

#include "serial/os/file_system.h"

#include "serial/os/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace ksv::os {
namespace {

const char* const kNotRegular = "это не обычный файл (устройство или канал)";
const char* const kFolder = "это папка, а не файл";
const char* const kInUse = "файл открыт другой программой";
const char* const kReadOnly = "файл только для чтения";
const char* const kLink = "это символическая ссылка";

std::string writeReason(DWORD err) {
    switch (err) {
    case ERROR_ACCESS_DENIED:
        return "нет прав на запись";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "нет места на диске";
    case ERROR_WRITE_PROTECT:
        return "диск доступен только для чтения";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return "папка не найдена";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return kInUse;
    default:
        return systemErrorText(err);
    }
}

std::string readReason(DWORD err) {
    switch (err) {
    case ERROR_ACCESS_DENIED:
        return "нет прав на чтение";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return kInUse;
    case ERROR_CANT_RESOLVE_FILENAME:
        return "слишком много символических ссылок";
    default:
        return systemErrorText(err);
    }
}

FileResult failure(std::string reason) {
    return {false, std::move(reason)};
}

// Closes the handle on every path out.
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
};

// A "\\?\" path that names a drive ("\\?\C:\...") or a share
// ("\\?\UNC\...") leads to a file; any other ("\\?\GLOBALROOT\Device\Serial0")
// to a device.
bool isRawDevicePath(const std::string& path) {
    if (path.rfind("\\\\?\\", 0) != 0 && path.rfind("//?/", 0) != 0)
        return false;
    const std::string rest = path.substr(4);
    const bool drive = rest.size() >= 2 && rest[1] == ':' &&
                       ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'));
    const bool share = rest.size() >= 4 && (rest[0] == 'U' || rest[0] == 'u') &&
                       (rest[1] == 'N' || rest[1] == 'n') && (rest[2] == 'C' || rest[2] == 'c') &&
                       (rest[3] == '\\' || rest[3] == '/');
    return !drive && !share;
}

// A name that leads to a device rather than to a file ("NUL", "COM1.txt",
// "COM1:", "\\.\COM5", "\\?\GLOBALROOT\Device\Serial0"): never opened here,
// since opening a serial port raises its lines and a pipe or console may wait.
bool isDeviceName(const std::string& path) {
    if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("//./", 0) == 0 || isRawDevicePath(path))
        return true;
    std::string base = path;
    while (!base.empty() && base.back() == ':') // "COM1:", as the console names it
        base.pop_back();
    std::string name = base.substr(base.find_last_of("/\\:") + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    for (char& c : name)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

// The file behind the name, links followed, for its attributes only.
HANDLE openForAttributes(const std::string& path) {
    return CreateFileW(toWide(path).c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool writeAll(HANDLE h, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD n = 0;
        if (!WriteFile(h, bytes.data() + done, chunk, &n, nullptr))
            return false;
        if (n == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += n;
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The bytes in a new temporary file beside path, flushed to disk and closed.
FileResult writeTemporary(const std::string& path, std::string_view bytes, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        tempPath = folderOf(path) + "\\." + nameOf(path) + "." +
                   std::to_string(GetCurrentProcessId()) + "." +
                   std::to_string(counter.fetch_add(1)) + ".tmp";
        h = CreateFileW(toWide(tempPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return failure(writeReason(GetLastError()));
    }
    if (h == INVALID_HANDLE_VALUE)
        return failure(writeReason(ERROR_FILE_EXISTS));
    const bool written = writeAll(h, bytes) && FlushFileBuffers(h);
    const DWORD err = GetLastError();
    const bool closed = CloseHandle(h);
    if (!written || !closed) {
        const DWORD why = written ? GetLastError() : err;
        DeleteFileW(toWide(tempPath).c_str());
        return failure(writeReason(why));
    }
    return {true, {}};
}

FileResult refuseUnlessReplaceable(const std::string& path) {
    switch (fileKind(path)) {
    case FileKind::Folder:
        return failure(kFolder);
    case FileKind::Other:
        return failure(kNotRegular);
    case FileKind::Absent:
        return {true, {}};
    case FileKind::Regular:
        break;
    }
    // A read-only file (an original kept safe) is not replaced, although the
    // folder would allow the rename; nor one the system or another program
    // keeps us from writing.
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(kReadOnly);
    const Handle probe{CreateFileW(toWide(path).c_str(), FILE_WRITE_DATA,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!probe.valid())
        return failure(writeReason(GetLastError()));
    return {true, {}};
}

// Renames temp to path (replacing it or not); on failure temp is removed.
FileResult moveInPlace(const std::string& temp, const std::string& path, bool replace,
                       bool* taken) {
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExW(toWide(temp).c_str(), toWide(path).c_str(), flags))
        return {true, {}};
    const DWORD err = GetLastError();
    DeleteFileW(toWide(temp).c_str());
    const bool exists = err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS;
    if (taken)
        *taken = exists && !replace;
    if (exists && !replace)
        return failure("файл с таким именем уже есть");
    return failure(writeReason(err));
}

FilePrefix unreadable(std::string reason) {
    FilePrefix p;
    p.status = FilePrefix::Unreadable;
    p.reason = std::move(reason);
    return p;
}

} // namespace

FileKind fileKind(const std::string& path) {
    if (isDeviceName(path))
        return FileKind::Other;
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileKind::Absent;
    DWORD followed = attributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        const Handle h{openForAttributes(path)};
        BY_HANDLE_FILE_INFORMATION info{};
        if (!h.valid() || !GetFileInformationByHandle(h.h, &info))
            return FileKind::Absent; // a link that leads nowhere
        followed = info.dwFileAttributes;
    }
    if (followed & FILE_ATTRIBUTE_DIRECTORY)
        return FileKind::Folder;
    return (followed & FILE_ATTRIBUTE_DEVICE) ? FileKind::Other : FileKind::Regular;
}

bool isLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool sameFile(const std::string& a, const std::string& b) {
    if (isDeviceName(a) || isDeviceName(b))
        return false;
    const Handle ha{openForAttributes(a)};
    const Handle hb{openForAttributes(b)};
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    return ha.valid() && hb.valid() && GetFileInformationByHandle(ha.h, &ia) &&
           GetFileInformationByHandle(hb.h, &ib) &&
           ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

FileResult replaceFile(const std::string& path, std::string_view bytes) {
    if (FileResult r = refuseUnlessReplaceable(path); !r.ok)
        return r;
    std::string temp;
    if (FileResult r = writeTemporary(path, bytes, temp); !r.ok)
        return r;
    // MoveFileEx replaces the name itself: a link there becomes the new file.
    return moveInPlace(temp, path, true, nullptr);
}

FileResult createFile(const std::string& path, std::string_view bytes, bool* taken, bool readOnly) {
    if (taken)
        *taken = false;
    std::string temp;
    if (FileResult r = writeTemporary(path, bytes, temp); !r.ok)
        return r;
    FileResult r = moveInPlace(temp, path, false, taken);
    // Marked once it has its name: a read-only temporary file could not be
    // removed after a failed rename.
    if (r.ok && readOnly)
        SetFileAttributesW(toWide(path).c_str(), FILE_ATTRIBUTE_READONLY);
    return r;
}

FileResult makeFolders(const std::string& path) {
    if (isDeviceName(path))
        return failure(kNotRegular);
    // Up to the deepest folder that exists (a drive, a share or more), then
    // down again making each missing one.
    std::string existing = path;
    std::vector<std::string> missing;
    while (!existing.empty() && fileKind(existing) != FileKind::Folder) {
        if (fileKind(existing) != FileKind::Absent)
            return failure("на месте папки " + existing + " — файл");
        const auto slash = existing.find_last_of("/\\");
        if (slash == std::string::npos) {
            missing.push_back(existing);
            existing.clear();
            break;
        }
        if (slash + 1 < existing.size())
            missing.push_back(existing);
        existing = existing.substr(0, slash);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (!CreateDirectoryW(toWide(*it).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return failure("папка " + *it + " не создана: " + writeReason(GetLastError()));
    return {true, {}};
}

namespace {

// FILE_APPEND_DATA alone: every write lands at the end, as O_APPEND, so
// that several writers (a second run sharing the log, a spreadsheet that
// shares writing) never overwrite each other's rows; the file is shared for
// reading and writing accordingly. A writer that holds the file without
// sharing it for a moment is waited for, briefly.
HANDLE openForAppending(const std::string& path) {
    constexpr int kTries = 10;
    constexpr DWORD kPauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        const HANDLE h =
            CreateFileW(toWide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD err = GetLastError();
        if (h != INVALID_HANDLE_VALUE || attempt == kTries ||
            (err != ERROR_SHARING_VIOLATION && err != ERROR_LOCK_VIOLATION))
            return h;
        Sleep(kPauseMs);
    }
}

} // namespace

FileResult appendToFile(const std::string& path, std::string_view bytes) {
    if (isDeviceName(path))
        return failure(kNotRegular);
    if (isLink(path))
        return failure(kLink);
    if (fileKind(path) == FileKind::Folder)
        return failure(kFolder);
    const Handle h{openForAppending(path)};
    if (!h.valid())
        return failure(writeReason(GetLastError()));
    if (GetFileType(h.h) != FILE_TYPE_DISK)
        return failure(kNotRegular);
    if (!writeAll(h.h, bytes) || !FlushFileBuffers(h.h))
        return failure(writeReason(GetLastError()));
    return {true, {}};
}

FilePrefix readFilePrefix(const std::string& path, std::size_t maxBytes, std::uint64_t from) {
    if (isDeviceName(path))
        return unreadable(kNotRegular);
    if (fileKind(path) == FileKind::Folder)
        return unreadable(kFolder);
    const Handle h{CreateFileW(toWide(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!h.valid()) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ||
            err == ERROR_INVALID_DRIVE)
            return FilePrefix{FilePrefix::NotFound, "файл не найден", {}, 0};
        return unreadable(readReason(err));
    }
    // Only a file on a disk: a pipe or a device could keep the reader waiting.
    LARGE_INTEGER size{};
    if (GetFileType(h.h) != FILE_TYPE_DISK)
        return unreadable(kNotRegular);
    if (!GetFileSizeEx(h.h, &size))
        return unreadable(readReason(GetLastError()));
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(from);
    if (from > 0 && !SetFilePointerEx(h.h, start, nullptr, FILE_BEGIN))
        return unreadable(readReason(GetLastError()));
    FilePrefix p;
    p.size = static_cast<std::uint64_t>(size.QuadPart);
    p.bytes.resize(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(maxBytes - got, 1u << 20));
        if (!ReadFile(h.h, p.bytes.data() + got, want, &n, nullptr))
            return unreadable(readReason(GetLastError()));
        if (n == 0)
            break;
        got += n;
    }
    p.bytes.resize(got);
    return p;
}

} // namespace ksv::os
