#include "serial/port_names.h"

#include "serial/device_facts.h"
#include "serial/port_map.h"
#include "serial/windows_ports.h"

#include <cstdlib>

namespace ksv {

std::string portEnvironmentVariable(int n) {
    return "KSV717N_COM" + std::to_string(n);
}

#ifdef _WIN32

std::string portDeviceName(int n) {
    if (const char* mapped = std::getenv(portEnvironmentVariable(n).c_str()); mapped && *mapped)
        return mapped;
    return "COM" + std::to_string(n);
}

int highestComNumber() {
    return kHighestWindowsComPort;
}

std::string deviceNameExample() {
    return "\\\\.\\CNCA0";
}

std::string devicePathForName(const std::string& name) {
    return name;
}

#else

std::string portDeviceName(int n) {
    return systemPortMap().resolve(n).device;
}

int highestComNumber() {
    return kLastComPort;
}

std::string deviceNameExample() {
    return "/dev/ttyUSB0";
}

std::string devicePathForName(const std::string& name) {
    if (name.find('/') == std::string::npos && deviceExists("/dev/" + name))
        return "/dev/" + name;
    return name;
}

#endif

} // namespace ksv
