#pragma once

// Text between the program (UTF-8) and the W calls of Windows (UTF-16), and
// the system's words for an error code. Windows only.

#ifdef _WIN32

#include <string>

namespace ksv::os {

std::wstring toWide(const std::string& utf8);
// Trailing NULs of a registry value are dropped.
std::string toUtf8(const wchar_t* text, std::size_t length);
std::string toUtf8(const std::wstring& text);
// The system's description of a Windows error code, or "ошибка Windows <n>".
std::string systemErrorText(unsigned long error);

} // namespace ksv::os

#endif // _WIN32
