#pragma once

// The serial ports of the machine, found in sysfs and /dev without opening
// any of them: USB adapters (with vendor and product ids, names and their
// /dev/serial/by-id link), built-in UARTs that the kernel found hardware for,
// and other tty devices backed by a device. The roots of sysfs, /dev and
// /proc are given, so that tests use a fake tree.

#include <string>
#include <string_view>
#include <vector>

namespace ksv {

struct SystemPaths {
    std::string sys = "/sys";
    std::string dev = "/dev";
    std::string proc = "/proc";
};

enum class SerialKind { Uart, UsbAdapter, Other };

struct SerialPortInfo {
    std::string name;   // "ttyUSB0"
    std::string device; // "/dev/ttyUSB0"
    SerialKind kind = SerialKind::Other;
    std::string description; // "Prolific Technology Inc. USB-Serial Controller"
    std::string usbId;       // "067b:2303", empty when not a USB device
    std::string serial;      // USB serial number, when known
    std::string byId;        // name of its link in /dev/serial/by-id, when udev made one
};

// Sorted by device name. UARTs of type 0 (a placeholder without hardware)
// are left out.
std::vector<SerialPortInfo> listSerialPorts(const SystemPaths& paths = {});

// The serial core's port type of a built-in UART ttyS<index> ("4"), empty
// when sysfs does not know it; "0" is a placeholder without hardware.
std::string uartType(const SystemPaths& paths, const std::string& name);
// "16550A" for type "4", "тип 99" for types without a well-known name.
std::string uartTypeName(const std::string& type);

// The device number "major:minor" of a tty: from the device node when it is
// one, otherwise from sysfs (class/tty/<name>/dev). Empty when unknown.
std::string ttyDeviceNumber(const SystemPaths& paths, const std::string& device);

// First line of a text file without trailing white space; empty when absent.
std::string readFirstLine(const std::string& path);
// A small file whole, at most maxBytes of it; empty when absent.
std::string readSmallFile(const std::string& path, std::size_t maxBytes = 4096);

} // namespace ksv
