#pragma once

// The few file operations whose safety depends on the operating system:
// replacing a file so that a failure leaves the old one, creating a file
// that never replaces another, appending a record that survives a power
// cut, reading a settings file without ever waiting on a FIFO or a device,
// and telling whether two names are one file. Paths are the system's
// names: on POSIX bytes as they were given (usually UTF-8, but not always),
// on Windows UTF-8 for the system's UTF-16. Reasons are short Russian texts
// for the user.

#include <cstdint>
#include <string>
#include <string_view>

namespace ksv::os {

// Whether file names are bytes that need not be UTF-8 (POSIX) rather than
// UTF-16 text (Windows).
#ifdef _WIN32
inline constexpr bool kNamesAreBytes = false;
#else
inline constexpr bool kNamesAreBytes = true;
#endif

enum class FileKind { Absent, Regular, Folder, Other };

// What stands under the name, symbolic links followed.
FileKind fileKind(const std::string& path);
// Whether the name is a symbolic link (or, on Windows, another reparse point).
bool isLink(const std::string& path);

// Whether both names are the same file on disk (another spelling, a
// symbolic or a hard link all count); false when either is absent.
bool sameFile(const std::string& a, const std::string& b);

struct FileResult {
    bool ok = false;
    std::string reason; // why not, when !ok
    explicit operator bool() const { return ok; }
};

// Writes the bytes to a temporary file beside path, flushes them to disk,
// closes it and renames it over path, so that path holds either its old
// contents or all of the new ones. The name itself is replaced: a symbolic
// link there becomes the new file, its target is never written. Only a
// regular file we may write, or a free name, is replaced: a file without
// write permission (Windows: "Только чтение") never, whoever asks. The new
// file keeps the permissions of the one it replaces. On failure nothing is
// left behind.
FileResult replaceFile(const std::string& path, std::string_view bytes);

// As replaceFile, but the file appears under path only when no file of that
// name exists yet; *taken is set when that was why it failed. A readOnly
// file is made without write permission (Windows: "Только чтение"), so that
// no later save replaces it.
FileResult createFile(const std::string& path, std::string_view bytes, bool* taken = nullptr,
                      bool readOnly = false);

// Makes the folder and every missing folder above it; the reason names the
// folder that could not be made, or the file that stands in its way.
FileResult makeFolders(const std::string& path);

// Appends to a regular file (made when absent) and flushes it to disk; a
// symbolic link at the name is refused.
FileResult appendToFile(const std::string& path, std::string_view bytes);

struct FilePrefix {
    enum Status { Ok, NotFound, Unreadable } status = Ok;
    std::string reason;     // for Unreadable
    std::string bytes;      // at most the bytes asked for
    std::uint64_t size = 0; // the file's size
};

// Reads at most maxBytes of a regular file, from offset `from` on. A folder,
// a FIFO, a socket or a device is refused before it is opened.
FilePrefix readFilePrefix(const std::string& path, std::size_t maxBytes, std::uint64_t from = 0);

} // namespace ksv::os
