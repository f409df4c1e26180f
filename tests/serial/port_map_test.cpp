// How COM1..COM4 map onto devices, against a fake sysfs, /dev and /proc.
#include "../link/link_test_util.h"
#include "link/port_exchange.h"
#include "serial/port_map.h"
#include "support/fake_system_tree.h"
#include "support/transceiver_sim.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace ksv;
using namespace ksv::test;

namespace {

struct Machine {
    FakeSystemTree tree;
    std::map<std::string, std::string> variables;
    PortMap map{tree.paths(), [this](const std::string& name) -> std::optional<std::string> {
                    const auto it = variables.find(name);
                    return it == variables.end() ? std::nullopt : std::optional(it->second);
                }};
    // "COM1=ttyUSB1 COM2=ttyS1 ..." with "-" for nothing.
    std::string layout() {
        std::string out;
        for (const PortMapping& m : map.resolveAll())
            out += (out.empty() ? "" : " ") + std::string("COM") + std::to_string(m.com) + "=" +
                   (m.device.empty() ? "-" : m.device.substr(m.device.rfind('/') + 1));
        return out;
    }
};

const std::string kFtdi = "usb-FTDI_FT232R_USB_UART_A1B2-if00-port0";
const std::string kProlific = "usb-Prolific_USB-Serial_Controller-if00-port0";
const std::string kCh340 = "usb-1a86_USB_Serial-if00-port0";

} // namespace

TEST(PortMap, UartsKeepTheirNamesAdaptersFillTheRestByTheirByIdNames) {
    Machine m;
    m.tree.uart(0, "0"); // placeholder: no hardware behind it
    m.tree.uart(1, "4");
    m.tree.uart(2, "0");
    m.tree.usbAdapter("ttyUSB0", kProlific, "188:0");
    m.tree.usbAdapter("ttyUSB1", kFtdi, "188:1");
    EXPECT_EQ(m.layout(), "COM1=ttyUSB1 COM2=ttyS1 COM3=ttyUSB0 COM4=-");

    const auto all = m.map.resolveAll();
    EXPECT_EQ(portReasonText(all[0]), "USB-адаптер " + kFtdi);
    EXPECT_EQ(portReasonText(all[1]), "встроенный последовательный порт (16550A)");
    EXPECT_EQ(portReasonText(all[3]), "нет устройства");
    EXPECT_EQ(portTipText(all[1]),
              m.tree.dev("ttyS1") + " — встроенный последовательный порт (16550A)");

    m.variables["KSV717N_COM1"] = m.tree.dev("ttyUSB0"); // the variable wins, and takes the adapter
    m.variables["KSV717N_COM2"] = "/dev/ttyX";
    EXPECT_EQ(m.layout(), "COM1=ttyUSB0 COM2=ttyX COM3=ttyUSB1 COM4=-");
    EXPECT_EQ(portReasonText(m.map.resolve(2)), "задан переменной KSV717N_COM2");
}

TEST(PortMap, ReplugedAdapterKeepsItsComNameUnderAnotherNumber) {
    Machine m;
    m.tree.usbAdapter("ttyUSB0", kProlific, "188:0");
    m.tree.usbAdapter("ttyUSB1", kFtdi, "188:1");
    EXPECT_EQ(m.layout(), "COM1=ttyUSB1 COM2=ttyUSB0 COM3=- COM4=-");

    m.tree.unplug("ttyUSB1", kFtdi);
    EXPECT_EQ(m.layout(), "COM1=- COM2=ttyUSB0 COM3=- COM4=-");
    m.tree.usbAdapter("ttyUSB2", kCh340, "188:2"); // a newcomer leaves COM1 to the FTDI cable
    EXPECT_EQ(m.layout(), "COM1=- COM2=ttyUSB0 COM3=ttyUSB2 COM4=-");
    m.tree.usbAdapter("ttyUSB3", kFtdi, "188:3");
    EXPECT_EQ(m.layout(), "COM1=ttyUSB3 COM2=ttyUSB0 COM3=ttyUSB2 COM4=-");

    m.tree.usbAdapter("ttyACM0", "", "166:0"); // no udev link: known by its device name
    EXPECT_EQ(m.layout(), "COM1=ttyUSB3 COM2=ttyUSB0 COM3=ttyUSB2 COM4=ttyACM0");
    EXPECT_EQ(portReasonText(m.map.resolve(4)), "USB-адаптер (ссылки в /dev/serial/by-id нет)");
}

TEST(PortMap, ConsoleAndControllingTerminalsAreKeptFromTheSearch) {
    struct Case {
        std::string active; // console/active
        bool com2Console;
    };
    for (const Case& c : {Case{"ttyS1", true}, Case{"tty0", false}, Case{"ttyS0 ttyS1", true}}) {
        Machine m;
        m.tree.uart(1, "4");
        m.tree.usbAdapter("ttyUSB0", kFtdi, "188:0");
        m.tree.console(c.active);
        const auto all = m.map.resolveAll();
        EXPECT_EQ(all[1].console, c.com2Console) << c.active;
        EXPECT_EQ(all[1].searchable(), !c.com2Console) << c.active;
        EXPECT_TRUE(all[0].searchable());
    }
    Machine m;
    m.tree.uart(0, "4");
    m.tree.usbAdapter("ttyUSB0", kFtdi, "188:0");
    m.tree.process(4321, "agetty", 4, 64); // a login prompt on ttyS0
    m.tree.process(4400, "bash", 136, 3);
    const PortMapping com1 = m.map.resolve(1, true);
    EXPECT_FALSE(com1.searchable());
    EXPECT_EQ(portReasonText(com1), "встроенный последовательный порт (16550A); управляющий "
                                    "терминал программы agetty (pid 4321) — автоопределение его "
                                    "пропускает");
    EXPECT_TRUE(m.map.resolve(2, true).searchable());

    // A program may name itself with a line end and brackets: the terminal
    // is still found, and the name is printed without control characters.
    Machine spoof;
    spoof.tree.uart(0, "4");
    spoof.tree.process(4500, "x) S 1 1 1 0 0\n9 (y", 4, 64);
    const PortMapping guarded = spoof.map.resolve(1, true);
    EXPECT_FALSE(guarded.searchable());
    EXPECT_EQ(guarded.terminalProgram, "x) S 1 1 1 0 0\\x0a9 (y");
}

// The search passes over a console even when a variable names it; choosing
// that COM name still opens it.
TEST(PortMap, SearchNeverOpensTheConsole) {
    FakeSystemTree tree;
    PtyPair console, free;
    struct stat st {};
    ASSERT_EQ(::stat(console.path().c_str(), &st), 0);
    tree.console("ptsconsole");
    tree.put("sys/class/tty/ptsconsole/dev",
             std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev)));
    systemPortMap().setPaths(tree.paths());
    ScopedPortMapping com4(4, console.path()), com2(2, free.path());
    SerialPort port;
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange(port, timer, view);
    configureSerialPort(port);
    EXPECT_TRUE(exchange.FindPort());
    EXPECT_EQ(exchange.openPort(), 2);
    EXPECT_TRUE(exchange.SelectPort(4));
    systemPortMap().setPaths(SystemPaths{});
}
