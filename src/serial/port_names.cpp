#include "serial/port_names.h"

#include "serial/port_map.h"

#include <cstdlib>

namespace ksv {

std::string portEnvironmentVariable(int n) {
    return "KSV717N_COM" + std::to_string(n);
}

std::string portDeviceName(int n) {
#ifdef _WIN32
    if (const char* mapped = std::getenv(portEnvironmentVariable(n).c_str()); mapped && *mapped)
        return mapped;
    return "\\\\.\\COM" + std::to_string(n);
#else
    return systemPortMap().resolve(n).device;
#endif
}

} // namespace ksv
