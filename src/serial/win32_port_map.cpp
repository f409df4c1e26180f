// The COM names on Windows: the system's own, listed by SetupAPI and the
// SERIALCOMM map (windows_ports), with the variables first. No console or
// controlling terminal stands behind a COM name there.

#include "serial/port_map.h"

#include "serial/port_names.h"

namespace ksv {

PortMapping PortMap::resolve(int n, bool) {
    if (n < kFirstComPort || n > kHighestWindowsComPort) {
        PortMapping nothing;
        nothing.com = n;
        return nothing;
    }
    return windowsComMapping(n, listWindowsPorts(), env_);
}

std::array<PortMapping, 4> PortMap::resolveAll(bool withGuards) {
    const std::vector<PortMapping> all = offered(withGuards);
    std::array<PortMapping, 4> first;
    std::copy(all.begin(), all.begin() + 4, first.begin());
    return first;
}

std::vector<PortMapping> PortMap::offered(bool) {
    std::lock_guard lock(mutex_);
    return windowsComMappings(listWindowsPorts(), env_);
}

PortMapping PortMap::guarded(const std::string& device) {
    PortMapping m;
    m.device = device;
    return m;
}

} // namespace ksv
