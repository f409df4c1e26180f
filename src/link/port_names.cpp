#include "link/port_names.h"

#include <cstdlib>

namespace ksv {

std::string portEnvironmentVariable(int n) {
    return "KSV717N_COM" + std::to_string(n);
}

std::string portDeviceName(int n) {
    if (const char* mapped = std::getenv(portEnvironmentVariable(n).c_str()); mapped && *mapped)
        return mapped;
#ifdef _WIN32
    return "\\\\.\\COM" + std::to_string(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

} // namespace ksv
