// The Windows side of the COM port list: SetupAPI's Ports class and the
// SERIALCOMM registry map, read into the plain entries that
// mergeWindowsPorts() combines.

#ifdef _WIN32

#include "serial/windows_ports.h"

#include "serial/os/win32_text.h"

#include <windows.h>

#include <algorithm>

// The device class GUIDs are defined here rather than taken from a library.
#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

namespace ksv {

namespace {

using os::toUtf8;

// A string value of an open registry key, empty when it is absent or not a string.
std::string registryString(HKEY key, const wchar_t* value) {
    wchar_t buffer[256];
    DWORD type = 0;
    DWORD bytes = sizeof buffer;
    if (RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return toUtf8(buffer, bytes / sizeof(wchar_t));
}

std::string friendlyName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    wchar_t buffer[256];
    DWORD type = 0;
    DWORD bytes = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_FRIENDLYNAME, &type,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer, &bytes))
        return {};
    return toUtf8(buffer, bytes / sizeof(wchar_t));
}

std::vector<PortDeviceEntry> portClassDevices() {
    std::vector<PortDeviceEntry> entries;
    HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return entries;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        PortDeviceEntry e{registryString(key, L"PortName"), friendlyName(set, device)};
        RegCloseKey(key);
        entries.push_back(std::move(e));
    }
    SetupDiDestroyDeviceInfoList(set);
    return entries;
}

std::vector<SerialCommEntry> serialCommMap() {
    std::vector<SerialCommEntry> entries;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return entries;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLength = sizeof name / sizeof name[0];
        DWORD dataBytes = sizeof data;
        DWORD type = 0;
        const LONG r = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                     reinterpret_cast<BYTE*>(data), &dataBytes);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r == ERROR_SUCCESS && type == REG_SZ)
            entries.push_back(
                {toUtf8(name, nameLength), toUtf8(data, dataBytes / sizeof(wchar_t))});
    }
    RegCloseKey(key);
    return entries;
}

} // namespace

std::vector<WindowsPort> listWindowsPorts() {
    return mergeWindowsPorts(portClassDevices(), serialCommMap());
}

} // namespace ksv

#endif // _WIN32
