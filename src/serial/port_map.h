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
//
// On Windows the COM names are the system's own: COM<n> is the port of that
// name unless KSV717N_COM<n> names another device, and the present ports
// above COM4 (a USB adapter usually gets COM5 to COM20) are offered after
// COM1..COM4 (windowsComMappings).

#include "serial/serial_inventory.h"
#include "serial/windows_ports.h"

#include <array>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ksv {

// System: a port Windows lists (detail: its friendly name, if any).
enum class PortSource { Variable, Uart, UsbAdapter, System, Nothing };

struct PortMapping {
    int com = 0;
    PortSource source = PortSource::Nothing;
    std::string device;   // the device to open; empty when nothing stands behind the name
    std::string detail;   // variable name, UART type name or by-id link name
    bool console = false; // the active system console
    int terminalPid = 0;  // a process whose controlling terminal it is (0: none)
    std::string terminalProgram;
    // A Bluetooth serial port: opening it connects to the paired device,
    // which can take half a minute when that device is out of reach.
    bool bluetooth = false;

    // Whether the automatic search may open it.
    bool searchable() const {
        return !device.empty() && !console && terminalPid == 0 && !bluetooth;
    }
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
    // Every COM name offered for choosing: COM1..COM4, then (on Windows
    // only) the present ports above COM4 in ascending order.
    std::vector<PortMapping> offered(bool withGuards = true);

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

// The COM names of a Windows machine with these ports present: COM1..COM4
// always, then each present port above COM4, ascending. COM<n> is the port
// "COM<n>" itself unless the variable KSV717N_COM<n> names a device.
std::vector<PortMapping> windowsComMappings(const std::vector<WindowsPort>& present,
                                            const EnvironmentLookup& env);
// COM<n> alone, present or not (the user may name any port).
PortMapping windowsComMapping(int n, const std::vector<WindowsPort>& present,
                              const EnvironmentLookup& env);

// "задан переменной KSV717N_COM2", "встроенный последовательный порт
// (16550A); системная консоль — автоопределение его пропускает", "нет
// устройства".
std::string portReasonText(const PortMapping& m);
// Why the search keeps away from it ("системная консоль — ..."); empty when
// it does not.
std::string portGuardText(const PortMapping& m);
// "/dev/ttyUSB0 — USB-адаптер usb-FTDI…" for tooltips; "нет устройства";
// for a port Windows lists, its friendly name ("USB Serial Port").
std::string portTipText(const PortMapping& m);

} // namespace ksv
