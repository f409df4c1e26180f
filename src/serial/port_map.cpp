#include "serial/port_map.h"

#include "serial/port_names.h"

#include <algorithm>
#include <cstdlib>

namespace ksv {
namespace {

std::optional<std::string> processEnvironment(const std::string& name) {
    if (const char* v = std::getenv(name.c_str()); v && *v)
        return std::string(v);
    return std::nullopt;
}

} // namespace

PortMap::PortMap(SystemPaths paths, EnvironmentLookup env)
    : paths_(std::move(paths)), env_(env ? std::move(env) : processEnvironment) {}

void PortMap::setPaths(const SystemPaths& paths) {
    std::lock_guard lock(mutex_);
    paths_ = paths;
    remembered_.clear();
}

PortMap& systemPortMap() {
    static PortMap map;
    return map;
}

std::string portReasonText(const PortMapping& m) {
    std::string why;
    switch (m.source) {
    case PortSource::Variable:
        why = "задан переменной " + m.detail;
        break;
    case PortSource::Uart:
        why = "встроенный последовательный порт (" + m.detail + ")";
        break;
    case PortSource::UsbAdapter:
        why = m.detail.empty() ? "USB-адаптер (ссылки в /dev/serial/by-id нет)"
                               : "USB-адаптер " + m.detail;
        break;
    case PortSource::System:
        why = m.detail.empty() ? "последовательный порт" : m.detail;
        break;
    case PortSource::Nothing:
        return "нет устройства";
    }
    const std::string guard = portGuardText(m);
    return guard.empty() ? why : why + "; " + guard;
}

std::string portGuardText(const PortMapping& m) {
    if (m.bluetooth)
        return "порт Bluetooth — автоопределение его пропускает";
    if (m.console)
        return "системная консоль — автоопределение его пропускает";
    if (m.terminalPid != 0)
        return "управляющий терминал программы " + m.terminalProgram + " (pid " +
               std::to_string(m.terminalPid) + ") — автоопределение его пропускает";
    return {};
}

std::string portTipText(const PortMapping& m) {
    // A port Windows lists is known by its friendly name; its device is the
    // COM name the item already shows.
    if (m.device.empty() || m.source == PortSource::System || m.source == PortSource::Nothing)
        return portReasonText(m);
    return m.device + " — " + portReasonText(m);
}

namespace {

// "USB Serial Port" from "USB Serial Port (COM7)": the item names the port.
std::string withoutPortName(const std::string& friendlyName, int n) {
    const std::string suffix = " (COM" + std::to_string(n) + ")";
    if (friendlyName.size() > suffix.size() &&
        friendlyName.compare(friendlyName.size() - suffix.size(), suffix.size(), suffix) == 0)
        return friendlyName.substr(0, friendlyName.size() - suffix.size());
    return friendlyName;
}

} // namespace

PortMapping windowsComMapping(int n, const std::vector<WindowsPort>& present,
                              const EnvironmentLookup& env) {
    PortMapping m;
    m.com = n;
    const auto port = std::find_if(present.begin(), present.end(),
                                   [n](const WindowsPort& p) { return p.number == n; });
    const std::string variable = portEnvironmentVariable(n);
    if (const auto v = env(variable)) {
        m.source = PortSource::Variable;
        m.device = *v;
        m.detail = variable;
        return m;
    }
    // An absent COM1..COM4 is still tried: a port may be missing from the lists.
    m.device = "COM" + std::to_string(n);
    if (port == present.end())
        return m;
    m.source = PortSource::System;
    m.detail = withoutPortName(port->friendlyName, n);
    m.bluetooth = port->friendlyName.find("Bluetooth") != std::string::npos;
    return m;
}

std::vector<PortMapping> windowsComMappings(const std::vector<WindowsPort>& present,
                                            const EnvironmentLookup& env) {
    std::vector<PortMapping> out;
    for (int n = kFirstComPort; n <= kLastComPort; ++n)
        out.push_back(windowsComMapping(n, present, env));
    for (const WindowsPort& p : present) // sorted by number
        if (p.number > kLastComPort)
            out.push_back(windowsComMapping(p.number, present, env));
    return out;
}

} // namespace ksv
