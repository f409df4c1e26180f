// The serial ports of a Linux machine, from sysfs and /dev.

#include "serial/serial_inventory.h"

#include "serial/os/utf8.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace ksv {
namespace {

namespace fs = std::filesystem;

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

// Device name ("ttyUSB0") -> the name of its link in /dev/serial/by-id.
std::map<std::string, std::string> byIdLinks(const SystemPaths& paths) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    const fs::path dir = fs::path(paths.dev) / "serial/by-id";
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const fs::path target = fs::read_symlink(entry.path(), ec);
        if (ec)
            continue;
        const std::string device = target.filename().string();
        // udev builds the name from the adapter's own strings.
        const std::string link = os::printableText(entry.path().filename().string());
        if (!out.count(device) || link < out[device])
            out[device] = link;
    }
    return out;
}

void describeUsb(SerialPortInfo& info, const fs::path& usb) {
    const std::string base = usb.string() + "/";
    info.kind = SerialKind::UsbAdapter;
    info.usbId = readFirstLine(base + "idVendor") + ":" + readFirstLine(base + "idProduct");
    // The adapter's own strings: whatever its maker put there.
    const std::string maker = os::printableText(readFirstLine(base + "manufacturer"));
    const std::string product = os::printableText(readFirstLine(base + "product"));
    info.description = maker.empty() ? product : product.empty() ? maker : maker + " " + product;
    if (info.description.empty())
        info.description = "USB-адаптер последовательного порта";
    info.serial = os::printableText(readFirstLine(base + "serial"));
}

bool isUsbSerialName(const std::string& name) {
    return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
}

} // namespace

std::string ttyDeviceNumber(const SystemPaths& paths, const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) == 0 && S_ISCHR(st.st_mode))
        return std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
    const std::string name = fs::path(device).filename().string();
    return name.empty() ? std::string() : readFirstLine(paths.sys + "/class/tty/" + name + "/dev");
}

std::vector<SerialPortInfo> listSerialPorts(const SystemPaths& paths) {
    std::vector<SerialPortInfo> out;
    const auto links = byIdLinks(paths);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(paths.sys + "/class/tty", ec)) {
        const fs::path dir = entry.path();
        const std::string name = dir.filename().string();
        // Virtual consoles, pseudo-terminals and the like have no device behind them.
        if (!fs::exists(dir / "device", ec))
            continue;
        SerialPortInfo info;
        info.name = name;
        info.device = (fs::path(paths.dev) / name).string();
        if (const auto l = links.find(name); l != links.end())
            info.byId = l->second;
        if (const fs::path usb = usbDeviceOf(dir / "device"); !usb.empty()) {
            describeUsb(info, usb);
        } else if (name.rfind("ttyS", 0) == 0) {
            // The kernel lists built-in UARTs it did not find (type 0) as well.
            const std::string type = uartType(paths, name);
            if (type.empty() || type == "0")
                continue;
            info.kind = SerialKind::Uart;
            info.description = "встроенный последовательный порт (" + uartTypeName(type) + ")";
        } else {
            info.kind = isUsbSerialName(name) ? SerialKind::UsbAdapter : SerialKind::Other;
            info.description = "последовательный порт";
        }
        out.push_back(info);
    }
    std::sort(out.begin(), out.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.device < b.device; });
    return out;
}

} // namespace ksv
