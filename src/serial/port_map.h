#pragma once

// Which device stands for COM1..COM4, and why. One rule for the window, the
// command line and "ksv717n-cli ports":
//  1. KSV717N_COM<n> wins where it is set;
//  2. COM<n> keeps /dev/ttyS<n-1> where a real UART stands behind it (sysfs
//     reports a known port type; type 0 is an empty placeholder);
//  3. the COM names left over take the USB serial adapters (ttyUSB*,
//     ttyACM*) in the order of their /dev/serial/by-id names. An adapter
//     keeps the COM name it once had during the run, also when it comes back
//     under another ttyUSB number after being plugged in again.
// A device that is the active system console or some process's controlling
// terminal is marked: the automatic search never opens it (choosing its COM
// name still does).

#include "serial/serial_inventory.h"

#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace ksv {

enum class PortSource { Variable, Uart, UsbAdapter, Nothing };

struct PortMapping {
    int com = 0;
    PortSource source = PortSource::Nothing;
    std::string device;   // the device to open; empty when nothing stands behind the name
    std::string detail;   // variable name, UART type name or by-id link name
    bool console = false; // the active system console
    int terminalPid = 0;  // a process whose controlling terminal it is (0: none)
    std::string terminalProgram;

    // Whether the automatic search may open it.
    bool searchable() const { return !device.empty() && !console && terminalPid == 0; }
};

// A process whose controlling terminal a device is.
struct TerminalOwner {
    int pid = 0;
    std::string program;
};

// Looks up an environment variable (std::getenv by default).
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

class PortMap {
public:
    explicit PortMap(SystemPaths paths = {}, EnvironmentLookup env = {});

    // Reads the tree anew each time; index 0 is COM1. Without guards the
    // console and controlling terminals are not looked for (cheaper, for
    // opening a port the user chose).
    std::array<PortMapping, 4> resolveAll(bool withGuards = true);
    PortMapping resolve(int n, bool withGuards = false);

    // A device outside the COM names, marked as console or controlling
    // terminal where it is one.
    PortMapping guarded(const std::string& device);

    void setPaths(const SystemPaths& paths);
    const SystemPaths& paths() const { return paths_; }

private:
    void assignAdapters(std::array<PortMapping, 4>& map);
    // What the automatic search keeps away from: the console's tty names,
    // and the controlling terminals by device number.
    struct Guards {
        std::set<std::string> consoles;
        std::map<std::string, TerminalOwner> terminals;
    };
    void markGuarded(PortMapping& m, const Guards& guards) const;

    SystemPaths paths_;
    EnvironmentLookup env_;
    // Adapter (by-id name, or device name without one) -> COM number it got.
    std::map<std::string, int> remembered_;
    std::mutex mutex_;
};

// The map every part of the program uses (the real system by default).
PortMap& systemPortMap();

// "задан переменной KSV717N_COM2", "встроенный последовательный порт
// (16550A); системная консоль — автоопределение его пропускает", "нет
// устройства".
std::string portReasonText(const PortMapping& m);
// Why the search keeps away from it ("системная консоль — ..."); empty when
// it does not.
std::string portGuardText(const PortMapping& m);
// "/dev/ttyUSB0 — USB-адаптер usb-FTDI…" for tooltips; "нет устройства".
std::string portTipText(const PortMapping& m);

} // namespace ksv
