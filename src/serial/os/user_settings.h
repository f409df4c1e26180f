#pragma once

// The system's store of per-user settings, kept out of a library's reach.
// The program stores nothing besides the user's files; Qt's file dialog
// keeps its history and last folder in the user's settings, which on
// Windows are the registry (HKEY_CURRENT_USER), where Qt cannot be pointed
// elsewhere. Elsewhere Qt's settings files are redirected instead (see
// ui/main/no_stored_settings.h) and this does nothing.

namespace ksv::os {

// While one lives, this process finds nothing in the user's registry and
// can keep nothing there: the calls are led to a key of the machine's
// hardware map, opened for reading only. For short stretches on the
// window's thread only (making and destroying a dialog): the process's
// other threads see no user settings meanwhile either.
class UserSettingsOutOfReach {
public:
    UserSettingsOutOfReach();
    ~UserSettingsOutOfReach();
    UserSettingsOutOfReach(const UserSettingsOutOfReach&) = delete;
    UserSettingsOutOfReach& operator=(const UserSettingsOutOfReach&) = delete;

private:
    void* key_ = nullptr;
};

} // namespace ksv::os
