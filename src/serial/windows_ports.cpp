#include "serial/windows_ports.h"

#include <algorithm>
#include <map>

namespace ksv {

namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

std::optional<int> comPortNumber(std::string_view name) {
    if (startsWithNoCase(name, kDevicePrefix))
        name.remove_prefix(kDevicePrefix.size());
    if (!startsWithNoCase(name, "COM"))
        return std::nullopt;
    name.remove_prefix(3);
    if (name.empty() || name.size() > 3 || name.front() == '0')
        return std::nullopt;
    int n = 0;
    for (const char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > kHighestWindowsComPort)
        return std::nullopt;
    return n;
}

std::string windowsDevicePath(std::string_view name) {
    if (startsWithNoCase(name, kDevicePrefix))
        return std::string(name);
    if (const auto n = comPortNumber(name))
        return std::string(kDevicePrefix) + "COM" + std::to_string(*n);
    return std::string(kDevicePrefix) + std::string(name);
}

std::vector<WindowsPort> mergeWindowsPorts(const std::vector<PortDeviceEntry>& devices,
                                           const std::vector<SerialCommEntry>& serialComm) {
    std::map<int, WindowsPort> byNumber;
    for (const auto& d : devices) {
        const auto n = comPortNumber(d.portName);
        if (!n)
            continue;
        WindowsPort& p = byNumber[*n];
        p.number = *n;
        if (p.friendlyName.empty())
            p.friendlyName = d.friendlyName;
    }
    for (const auto& s : serialComm) {
        const auto n = comPortNumber(s.portName);
        if (!n)
            continue;
        WindowsPort& p = byNumber[*n];
        p.number = *n;
        if (p.kernelName.empty())
            p.kernelName = s.kernelName;
    }
    std::vector<WindowsPort> ports;
    ports.reserve(byNumber.size());
    for (auto& [n, p] : byNumber)
        ports.push_back(std::move(p));
    return ports;
}

} // namespace ksv
