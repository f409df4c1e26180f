#pragma once

// The COM ports of a Windows machine: the names the device accepts, and the
// list of present ports with their numbers and friendly names. The list
// comes from two sources, merged here in plain C++: the Ports device class
// of SetupAPI (each device's "PortName" and friendly name, e.g. "USB Serial
// Port (COM7)"), and the registry's map HKLM\HARDWARE\DEVICEMAP\SERIALCOMM
// (kernel device name -> "COM7"), which also knows ports that SetupAPI does
// not list (Wine's, some virtual port drivers').

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ksv {

// Windows numbers COM ports up to 256.
constexpr int kHighestWindowsComPort = 256;

// A port as a device of the Ports class reports it.
struct PortDeviceEntry {
    std::string portName;     // "COM7", "LPT1"
    std::string friendlyName; // "USB Serial Port (COM7)"
};

// A value of the SERIALCOMM map.
struct SerialCommEntry {
    std::string kernelName; // "\Device\Serial0"
    std::string portName;   // "COM1"
};

struct WindowsPort {
    int number = 0;           // 7 for COM7
    std::string friendlyName; // empty where only the SERIALCOMM map knows the port
    std::string kernelName;   // from the SERIALCOMM map, empty where it does not list the port
    std::string name() const { return "COM" + std::to_string(number); }
};

// 12 for "COM12", "com12" and "\\.\COM12"; nothing for other names ("LPT1",
// "COM0", "COM012", "COM12x").
std::optional<int> comPortNumber(std::string_view name);

// The path to open for a port name: "\\.\COM12" for "COM12" (the prefix is
// needed from COM10 on); a name that already starts with "\\.\" stays.
std::string windowsDevicePath(std::string_view name);

// Every COM port of both sources once, sorted by number; non-COM names are
// left out. The device entry's friendly name wins.
std::vector<WindowsPort> mergeWindowsPorts(const std::vector<PortDeviceEntry>& devices,
                                           const std::vector<SerialCommEntry>& serialComm);

#ifdef _WIN32
// The present COM ports of this machine.
std::vector<WindowsPort> listWindowsPorts();
#endif

} // namespace ksv
