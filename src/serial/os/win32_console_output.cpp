// The command line's output on Windows. A console shows what WriteConsoleW
// gives it, in UTF-16, whatever its code page; bytes written to it with
// WriteFile are read in its code page, so the program's UTF-8 came out as
// "Ð¡Ð¾…" in cmd.exe. Pipes and files get the UTF-8 bytes unchanged.

#include "serial/os/console.h"

#include "serial/os/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <iostream>

namespace ksv::os {
namespace {

bool isConsole(HANDLE h) {
    DWORD mode = 0;
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) == FILE_TYPE_CHAR &&
           GetConsoleMode(h, &mode);
}

// The length of the end of text that is the start of a UTF-8 sequence still
// missing bytes (0 when the text ends with a whole character).
std::size_t cutSequenceLength(const char* text, std::size_t n) {
    for (std::size_t back = 1; back <= std::min<std::size_t>(n, 4); ++back) {
        const auto byte = static_cast<unsigned char>(text[n - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

class TextOutput final : public std::streambuf {
public:
    explicit TextOutput(HANDLE h) : handle_(h), console_(isConsole(h)) { setp(buf_, buf_ + kSize); }

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    // Writes what is buffered; a cut sequence stays for the next write.
    int sync() override {
        const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t keep = console_ ? cutSequenceLength(pbase(), n) : 0;
        const bool ok = write(pbase(), n - keep);
        std::copy(pbase() + (n - keep), pptr(), buf_);
        setp(buf_, buf_ + kSize);
        pbump(static_cast<int>(keep));
        return ok ? 0 : -1;
    }

private:
    bool write(const char* data, std::size_t n) {
        if (n == 0)
            return true;
        if (console_) {
            const std::wstring wide = toWide(std::string(data, n));
            for (std::size_t done = 0; done < wide.size();) {
                DWORD written = 0;
                const DWORD chunk =
                    static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
                if (!WriteConsoleW(handle_, wide.data() + done, chunk, &written, nullptr) ||
                    written == 0)
                    return false;
                done += written;
            }
            return true;
        }
        for (std::size_t done = 0; done < n;) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n - done, 1 << 20));
            if (!WriteFile(handle_, data + done, chunk, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return true;
    }

    static constexpr std::size_t kSize = 4096;
    HANDLE handle_;
    bool console_;
    char buf_[kSize];
};

} // namespace

std::unique_ptr<std::streambuf> windowsTextOutput(void* handle) {
    return std::make_unique<TextOutput>(static_cast<HANDLE>(handle));
}

// The buffers live as long as the process: the streams are flushed once
// more after main() has returned.
void useUnicodeStandardStreams() {
    static std::streambuf* const out = windowsTextOutput(GetStdHandle(STD_OUTPUT_HANDLE)).release();
    static std::streambuf* const err = windowsTextOutput(GetStdHandle(STD_ERROR_HANDLE)).release();
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
}

} // namespace ksv::os
