#include "serial/os/win32_text.h"

#include <windows.h>

#include <algorithm>

namespace ksv::os {

std::wstring toWide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string toUtf8(const wchar_t* text, std::size_t length) {
    while (length > 0 && text[length - 1] == L'\0')
        --length;
    if (length == 0)
        return {};
    const int n = static_cast<int>(length);
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, n, out.data(), size, nullptr, nullptr);
    return out;
}

std::string toUtf8(const std::wstring& text) {
    return toUtf8(text.data(), text.size());
}

std::string systemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n > 0 ? toUtf8(buffer, n) : std::string();
    LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text.empty() ? "ошибка Windows " + std::to_string(error) : text;
}

} // namespace ksv::os
