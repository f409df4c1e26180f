// The COM names on Linux: variables, UARTs found in sysfs, USB adapters by
// their /dev/serial/by-id names, and the console and controlling terminals
// the search keeps away from.

#include "serial/port_map.h"

#include "serial/os/utf8.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace ksv {
namespace {

namespace fs = std::filesystem;

constexpr int kPorts = 4;

PortMapping mapping(int com, PortSource source, std::string device = {}, std::string detail = {}) {
    PortMapping m;
    m.com = com;
    m.source = source;
    m.device = std::move(device);
    m.detail = std::move(detail);
    return m;
}

struct Adapter {
    std::string key; // by-id name, or the device name without one
    SerialPortInfo info;
};

std::string canonicalOf(const std::string& device) {
    std::error_code ec;
    const fs::path p = fs::canonical(device, ec);
    return ec ? device : p.string();
}

// The tty names behind the active system console. "tty0" stands for the
// virtual console in the foreground, which sysfs names as well.
std::set<std::string> consoleNames(const SystemPaths& paths) {
    std::set<std::string> names;
    std::istringstream active(readFirstLine(paths.sys + "/class/tty/console/active"));
    for (std::string name; active >> name;) {
        if (name == "tty0" || name == "console") {
            const std::string vt = readFirstLine(paths.sys + "/class/tty/tty0/active");
            if (!vt.empty())
                name = vt;
        }
        names.insert(name);
    }
    return names;
}

// Device number "major:minor" -> a process whose controlling terminal it is.
std::map<std::string, TerminalOwner> controllingTerminals(const SystemPaths& paths) {
    std::map<std::string, TerminalOwner> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(paths.proc, ec)) {
        const std::string pid = entry.path().filename().string();
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit))
            continue;
        // Whole, not its first line: a program name may hold line ends and
        // brackets, so only the last ")" ends it.
        const std::string stat = readSmallFile(entry.path().string() + "/stat");
        const auto open = stat.find('('), close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open)
            continue;
        // After the program name: state, ppid, pgrp, session, tty_nr.
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        long ppid = 0, pgrp = 0, session = 0, ttyNr = 0;
        if (!(rest >> state >> ppid >> pgrp >> session >> ttyNr) || ttyNr == 0)
            continue;
        const long major = (ttyNr >> 8) & 0xfff;
        const long minor = (ttyNr & 0xff) | ((ttyNr >> 12) & 0xfff00);
        const std::string number = std::to_string(major) + ":" + std::to_string(minor);
        if (!out.count(number))
            out[number] = TerminalOwner{std::stoi(pid),
                                        os::printableText(stat.substr(open + 1, close - open - 1))};
    }
    return out;
}

// Every USB serial adapter; "present" also receives those a variable names
// already (they are plugged in, only not free for another COM name).
std::vector<Adapter> usbAdapters(const SystemPaths& paths, const std::set<std::string>& named,
                                 std::set<std::string>& present) {
    std::vector<Adapter> out;
    for (const SerialPortInfo& p : listSerialPorts(paths)) {
        const bool usbName = p.name.rfind("ttyUSB", 0) == 0 || p.name.rfind("ttyACM", 0) == 0;
        if (!usbName)
            continue;
        const std::string key = p.byId.empty() ? p.name : p.byId;
        present.insert(key);
        if (!named.count(canonicalOf(p.device)))
            out.push_back(Adapter{key, p});
    }
    std::sort(out.begin(), out.end(),
              [](const Adapter& a, const Adapter& b) { return a.key < b.key; });
    return out;
}

} // namespace

PortMapping PortMap::resolve(int n, bool withGuards) {
    if (n < 1 || n > kPorts)
        return mapping(n, PortSource::Nothing);
    return resolveAll(withGuards)[static_cast<std::size_t>(n - 1)];
}

std::array<PortMapping, 4> PortMap::resolveAll(bool withGuards) {
    std::lock_guard lock(mutex_);
    std::array<PortMapping, 4> map;
    for (int i = 0; i < kPorts; ++i) {
        PortMapping& m = map[static_cast<std::size_t>(i)];
        m.com = i + 1;
        const std::string variable = "KSV717N_COM" + std::to_string(i + 1);
        const std::string uart = "ttyS" + std::to_string(i);
        const std::string type = uartType(paths_, uart);
        if (const auto v = env_(variable)) {
            m = mapping(i + 1, PortSource::Variable, *v, variable);
        } else if (!type.empty() && type != "0") {
            m = mapping(i + 1, PortSource::Uart, paths_.dev + "/" + uart, uartTypeName(type));
        }
    }
    assignAdapters(map);
    if (!withGuards)
        return map;
    const Guards guards{consoleNames(paths_), controllingTerminals(paths_)};
    for (PortMapping& m : map)
        markGuarded(m, guards);
    return map;
}

std::vector<PortMapping> PortMap::offered(bool withGuards) {
    const auto all = resolveAll(withGuards);
    return {all.begin(), all.end()};
}

PortMapping PortMap::guarded(const std::string& device) {
    std::lock_guard lock(mutex_);
    PortMapping m = mapping(0, PortSource::Nothing, device);
    markGuarded(m, Guards{consoleNames(paths_), controllingTerminals(paths_)});
    return m;
}

void PortMap::assignAdapters(std::array<PortMapping, 4>& map) {
    std::set<std::string> named;
    for (const PortMapping& m : map)
        if (m.source == PortSource::Variable)
            named.insert(canonicalOf(m.device));
    std::set<std::string> present;
    const std::vector<Adapter> adapters = usbAdapters(paths_, named, present);
    auto freeName = [&](int com) { return map[static_cast<std::size_t>(com - 1)].device.empty(); };
    auto reservedForAbsent = [&](int com) {
        return std::any_of(remembered_.begin(), remembered_.end(), [&](const auto& r) {
            return r.second == com && !present.count(r.first);
        });
    };
    auto assign = [&](const Adapter& a, int com) {
        std::erase_if(remembered_, [&](const auto& r) { return r.second == com; });
        remembered_[a.key] = com;
        map[static_cast<std::size_t>(com - 1)] =
            mapping(com, PortSource::UsbAdapter, a.info.device, a.info.byId);
    };
    std::vector<const Adapter*> waiting;
    for (const Adapter& a : adapters) {
        const auto r = remembered_.find(a.key);
        if (r != remembered_.end() && freeName(r->second))
            assign(a, r->second);
        else
            waiting.push_back(&a);
    }
    // Names nobody remembers first; a name kept for an absent adapter only
    // when no other is left.
    for (const bool takeReserved : {false, true})
        for (auto it = waiting.begin(); it != waiting.end();) {
            int com = 1;
            while (com <= kPorts && (!freeName(com) || (!takeReserved && reservedForAbsent(com))))
                ++com;
            if (com > kPorts)
                break;
            assign(**it, com);
            it = waiting.erase(it);
        }
}

void PortMap::markGuarded(PortMapping& m, const Guards& guards) const {
    if (m.device.empty())
        return;
    const std::string number = ttyDeviceNumber(paths_, m.device);
    const std::string name = fs::path(canonicalOf(m.device)).filename().string();
    for (const std::string& console : guards.consoles) {
        const std::string consoleNumber = ttyDeviceNumber(paths_, paths_.dev + "/" + console);
        if (number.empty() || consoleNumber.empty() ? name == console : number == consoleNumber)
            m.console = true;
    }
    if (number.empty())
        return;
    if (const auto t = guards.terminals.find(number); t != guards.terminals.end()) {
        m.terminalPid = t->second.pid;
        m.terminalProgram = t->second.program;
    }
}

} // namespace ksv
