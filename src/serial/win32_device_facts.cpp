// The device facts on Windows: a COM port exists when the system knows its
// name; which program holds a busy port Windows does not tell.

#include "serial/device_facts.h"

#include "serial/os/win32_text.h"
#include "serial/windows_open_error.h"
#include "serial/windows_ports.h"

#include <windows.h>

namespace ksv {

bool deviceExists(const std::string& device) {
    if (device.empty())
        return false;
    // A DOS device name ("COM5", or what follows "\\.\") is looked up
    // without opening it: opening a port would raise its lines.
    const std::string path = windowsDevicePath(device);
    const bool comName = comPortNumber(device).has_value();
    if (comName || device.rfind("\\\\.\\", 0) == 0) {
        wchar_t target[1024];
        return QueryDosDeviceW(os::toWide(path.substr(4)).c_str(), target, 1024) != 0;
    }
    return GetFileAttributesW(os::toWide(device).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string deviceHolder(const SystemPaths&, const std::string&) {
    return {};
}

std::string deviceGroupName(const std::string&) {
    return {};
}

std::string deviceIdentity(const std::string& device) {
    std::string path = windowsDevicePath(device);
    for (char& c : path)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return path;
}

std::string openErrorAdvice(const std::string& device, int error, int comNumber,
                            const SystemPaths&) {
    // A COM name speaks for itself; another device is named.
    const std::string words = windowsOpenErrorText(error);
    if (comPortNumber(device) && (comNumber == 0 || comPortNumber(device) == comNumber))
        return words;
    return "устройство " + device + ": " + words;
}

} // namespace ksv
