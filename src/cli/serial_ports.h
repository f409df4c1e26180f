#pragma once

// The serial ports of the machine, found in sysfs without opening any of
// them: USB adapters (with vendor and product ids and names), built-in UARTs
// that the kernel found hardware for, and other tty devices backed by a
// device.

#include <string>
#include <vector>

namespace ksv::cli {

struct SerialPortInfo {
    std::string device;      // "/dev/ttyUSB0"
    std::string description; // "Prolific Technology Inc. USB-Serial Controller"
    std::string usbId;       // "067b:2303", empty when not a USB device
    std::string serial;      // USB serial number, when known
};

// sysfsTty is the folder of tty class devices, devDir the folder of device
// nodes; tests point both at a fake tree. Sorted by device name.
std::vector<SerialPortInfo> listSerialPorts(const std::string& sysfsTty = "/sys/class/tty",
                                            const std::string& devDir = "/dev");

} // namespace ksv::cli
