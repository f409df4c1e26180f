// The serial ports of a Windows machine: the present COM ports.

#include "serial/serial_inventory.h"

#include "serial/windows_ports.h"

namespace ksv {

std::string ttyDeviceNumber(const SystemPaths&, const std::string&) {
    return {};
}

std::vector<SerialPortInfo> listSerialPorts(const SystemPaths&) {
    std::vector<SerialPortInfo> out;
    for (const WindowsPort& p : listWindowsPorts()) {
        SerialPortInfo info;
        info.name = info.device = p.name();
        info.kind = SerialKind::Other;
        info.description = p.friendlyName.empty() ? "последовательный порт" : p.friendlyName;
        out.push_back(info);
    }
    return out;
}

} // namespace ksv
