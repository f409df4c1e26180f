#pragma once

// A fake sysfs, /dev and /proc in a temporary folder, laid out as the kernel
// and udev lay them out, for the port naming rules: built-in UARTs with
// their port type, USB adapters with /dev/serial/by-id links, the active
// console, processes with a controlling terminal. No real device is touched.

#include "serial/serial_inventory.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

namespace ksv::test {

class FakeSystemTree {
public:
    FakeSystemTree() : root_(dir_.path().toStdString()) {
        for (const char* d : {"sys/class/tty", "dev/serial/by-id", "proc"})
            std::filesystem::create_directories(root_ / d);
    }

    SystemPaths paths() const {
        return {(root_ / "sys").string(), (root_ / "dev").string(), (root_ / "proc").string()};
    }
    std::string dev(const std::string& name) const { return (root_ / "dev" / name).string(); }

    // ttyS<index> with the serial core's port type ("0": a placeholder).
    void uart(int index, const std::string& type) {
        const std::string name = "ttyS" + std::to_string(index);
        tty(name, "platform/serial8250/tty/" + name, "4:" + std::to_string(64 + index));
        put("sys/class/tty/" + name + "/type", type);
    }

    // A USB adapter ttyUSB<n>/ttyACM<n>, with a by-id link unless byId is empty.
    void usbAdapter(const std::string& name, const std::string& byId, const std::string& number) {
        const std::string usb = "usb1/1-" + name;
        put("sys/devices/" + usb + "/idVendor", "0403");
        put("sys/devices/" + usb + "/idProduct", "6001");
        tty(name, usb + "/1-1:1.0/" + name, number);
        if (!byId.empty())
            std::filesystem::create_symlink("../../" + name, root_ / "dev/serial/by-id" / byId);
    }

    // The adapter is pulled out: its tty, device node and by-id link go.
    void unplug(const std::string& name, const std::string& byId) {
        std::filesystem::remove_all(root_ / "sys/class/tty" / name);
        std::filesystem::remove(root_ / "dev" / name);
        if (!byId.empty())
            std::filesystem::remove(root_ / "dev/serial/by-id" / byId);
    }

    // /sys/class/tty/console/active, and the foreground virtual console.
    void console(const std::string& active, const std::string& foregroundVt = "tty1") {
        put("sys/class/tty/console/active", active);
        put("sys/class/tty/tty0/active", foregroundVt);
        put("sys/class/tty/" + foregroundVt + "/dev", "4:1");
    }

    // A process whose controlling terminal has device number major:minor.
    void process(int pid, const std::string& program, int major, int minor) {
        const long ttyNr = (major << 8) | (minor & 0xff) | ((minor & ~0xff) << 12);
        put("proc/" + std::to_string(pid) + "/stat",
            std::to_string(pid) + " (" + program + ") S 1 1 1 " + std::to_string(ttyNr) + " 0 0");
    }

    // A tty class entry "name" with the given device number.
    void tty(const std::string& name, const std::string& devicePath, const std::string& number) {
        const auto device = root_ / "sys/devices" / devicePath;
        std::filesystem::create_directories(device);
        std::filesystem::create_directories(root_ / "sys/class/tty" / name);
        std::filesystem::create_directory_symlink(device,
                                                  root_ / "sys/class/tty" / name / "device");
        put("sys/class/tty/" + name + "/dev", number);
        put("dev/" + name, "");
    }

    void put(const std::string& relative, const std::string& text) {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << text << "\n";
    }

private:
    QTemporaryDir dir_;
    std::filesystem::path root_;
};

} // namespace ksv::test
