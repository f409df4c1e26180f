#include "cli/serial_ports.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace ksv::cli {
namespace {

namespace fs = std::filesystem;

std::string readLine(const fs::path& p) {
    std::ifstream f(p);
    std::string s;
    std::getline(f, s);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// The USB device folder above a tty's device (the one holding idVendor).
fs::path usbDeviceOf(const fs::path& device) {
    std::error_code ec;
    fs::path p = fs::canonical(device, ec);
    if (ec)
        return {};
    for (int depth = 0; depth < 8 && p.has_relative_path(); ++depth, p = p.parent_path())
        if (fs::exists(p / "idVendor", ec) && fs::exists(p / "idProduct", ec))
            return p;
    return {};
}

std::string uartDescription(const std::string& type) {
    // The serial core's port types that matter on a PC.
    if (type == "4")
        return "встроенный последовательный порт (16550A)";
    return "встроенный последовательный порт";
}

} // namespace

std::vector<SerialPortInfo> listSerialPorts(const std::string& sysfsTty,
                                            const std::string& devDir) {
    std::vector<SerialPortInfo> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysfsTty, ec)) {
        const fs::path dir = entry.path();
        const std::string name = dir.filename().string();
        // Virtual consoles, pseudo-terminals and the like have no device behind them.
        if (!fs::exists(dir / "device", ec))
            continue;
        SerialPortInfo info;
        info.device = (fs::path(devDir) / name).string();
        if (const fs::path usb = usbDeviceOf(dir / "device"); !usb.empty()) {
            info.usbId = readLine(usb / "idVendor") + ":" + readLine(usb / "idProduct");
            const std::string maker = readLine(usb / "manufacturer");
            const std::string product = readLine(usb / "product");
            info.description = maker.empty()     ? product
                               : product.empty() ? maker
                                                 : maker + " " + product;
            if (info.description.empty())
                info.description = "USB-адаптер последовательного порта";
            info.serial = readLine(usb / "serial");
        } else if (name.rfind("ttyS", 0) == 0) {
            // The kernel lists built-in UARTs it did not find (type 0) as well.
            const std::string type = readLine(dir / "type");
            if (type.empty() || type == "0")
                continue;
            info.description = uartDescription(type);
        } else {
            info.description = "последовательный порт";
        }
        out.push_back(info);
    }
    std::sort(out.begin(), out.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.device < b.device; });
    return out;
}

} // namespace ksv::cli
