#include "serial/serial_inventory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace ksv {
namespace {

namespace fs = std::filesystem;

void put(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    QFile f(QString::fromStdString(p.string()));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.c_str());
}

// A sysfs tree as the kernel lays it out: tty class entries linking to their
// devices, a USB adapter's interface below its USB device.
TEST(SerialPorts, FoundInSysfsWithoutOpeningThem) {
    QTemporaryDir tmp;
    const fs::path root = tmp.path().toStdString();
    const fs::path tty = root / "class/tty";
    const fs::path usb = root / "devices/usb1/1-1";
    put(usb / "idVendor", "067b\n");
    put(usb / "idProduct", "2303\n");
    put(usb / "manufacturer", "Prolific Technology Inc.\n");
    put(usb / "product", "USB-Serial Controller\n");
    put(usb / "serial", "A1\x1b[2JB2\xc2\x9b\n"); // an escape sequence and a C1 control

    fs::create_directories(usb / "1-1:1.0/ttyUSB0");
    fs::create_directories(root / "devices/platform/serial8250/tty/ttyS0");
    fs::create_directories(root / "devices/platform/serial8250/tty/ttyS1");

    fs::create_directories(tty / "ttyUSB0");
    fs::create_directory_symlink(usb / "1-1:1.0/ttyUSB0", tty / "ttyUSB0/device");
    fs::create_directories(tty / "ttyS0");
    fs::create_directory_symlink(root / "devices/platform/serial8250/tty/ttyS0",
                                 tty / "ttyS0/device");
    put(tty / "ttyS0/type", "4\n");
    fs::create_directories(tty / "ttyS1"); // no UART found behind it
    fs::create_directory_symlink(root / "devices/platform/serial8250/tty/ttyS1",
                                 tty / "ttyS1/device");
    put(tty / "ttyS1/type", "0\n");
    fs::create_directories(tty / "tty1"); // a virtual console: no device

    const auto ports = listSerialPorts(SystemPaths{root.string(), "/dev", "/proc"});
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].device, "/dev/ttyS0");
    EXPECT_EQ(ports[0].description, "встроенный последовательный порт (16550A)");
    EXPECT_TRUE(ports[0].usbId.empty());
    EXPECT_EQ(ports[1].device, "/dev/ttyUSB0");
    EXPECT_EQ(ports[1].description, "Prolific Technology Inc. USB-Serial Controller");
    EXPECT_EQ(ports[1].usbId, "067b:2303");
    EXPECT_EQ(ports[1].serial, "A1\\x1b[2JB2\\xc2\\x9b");
}

} // namespace
} // namespace ksv
