#include "serial/os/user_settings.h"

#include <windows.h>

namespace ksv::os {

UserSettingsOutOfReach::UserSettingsOutOfReach() {
    // HKLM\HARDWARE holds no "Software" key, and a key opened for reading
    // only takes no new keys below it.
    HKEY hardware = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE", 0, KEY_READ, &hardware) != ERROR_SUCCESS)
        return;
    if (RegOverridePredefKey(HKEY_CURRENT_USER, hardware) != ERROR_SUCCESS) {
        RegCloseKey(hardware);
        return;
    }
    key_ = hardware;
}

UserSettingsOutOfReach::~UserSettingsOutOfReach() {
    if (!key_)
        return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(static_cast<HKEY>(key_));
}

} // namespace ksv::os
