#include "serial/os/user_settings.h"

namespace ksv::os {

// Qt keeps its settings in files here, which are redirected.
UserSettingsOutOfReach::UserSettingsOutOfReach() = default;
UserSettingsOutOfReach::~UserSettingsOutOfReach() = default;

} // namespace ksv::os
