#include "serial/port_map.h"
#include "serial/windows_open_error.h"
#include "serial/windows_ports.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(WindowsPortNames, NumbersAndDevicePaths) {
    const struct {
        const char* name;
        int number; // 0: not a COM port name
        const char* path;
    } cases[] = {
        {"COM1", 1, "\\\\.\\COM1"},
        {"com12", 12, "\\\\.\\COM12"},
        {"\\\\.\\COM12", 12, "\\\\.\\COM12"},
        {"COM256", 256, "\\\\.\\COM256"},
        {"COM257", 0, "\\\\.\\COM257"},
        {"COM0", 0, "\\\\.\\COM0"},
        {"COM012", 0, "\\\\.\\COM012"},
        {"COM12x", 0, "\\\\.\\COM12x"},
        {"COM", 0, "\\\\.\\COM"},
        {"LPT1", 0, "\\\\.\\LPT1"},
        {"CNCA0", 0, "\\\\.\\CNCA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(comPortNumber(c.name).value_or(0), c.number) << c.name;
        EXPECT_EQ(windowsDevicePath(c.name), c.path) << c.name;
    }
}

// SetupAPI's Ports class lists a printer port too and may miss a virtual
// port that the SERIALCOMM map knows; both name COM3 and COM10.
TEST(WindowsPortList, MergesBothSourcesByNumber) {
    const auto ports = mergeWindowsPorts({{"COM10", "USB Serial Port (COM10)"},
                                          {"LPT1", "Printer Port (LPT1)"},
                                          {"COM3", "Communications Port (COM3)"}},
                                         {{"\\Device\\Serial0", "COM3"},
                                          {"\\Device\\VCP0", "COM10"},
                                          {"\\Device\\CNCA0", "CNCA0"},
                                          {"\\Device\\com0com10", "COM2"}});
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].name(), "COM2");
    EXPECT_EQ(ports[0].friendlyName, "");
    EXPECT_EQ(ports[0].kernelName, "\\Device\\com0com10");
    EXPECT_EQ(ports[1].name(), "COM3");
    EXPECT_EQ(ports[1].friendlyName, "Communications Port (COM3)");
    EXPECT_EQ(ports[1].kernelName, "\\Device\\Serial0");
    EXPECT_EQ(ports[2].name(), "COM10");
    EXPECT_EQ(ports[2].friendlyName, "USB Serial Port (COM10)");
}

TEST(WindowsOpenErrors, MeaningAndWords) {
    const struct {
        unsigned long win32;
        int err;
        const char* words;
    } cases[] = {
        {2, ENOENT, "порт не найден"},
        {3, ENOENT, "порт не найден"},
        {5, EBUSY, "порт занят другой программой"},
        {32, EBUSY, "порт занят другой программой"},
        {1314, EACCES, "нет доступа к порту"},
        {31, EIO, "порт не открывается (ошибка Windows 31)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errnoForWin32Error(c.win32), c.err) << c.win32;
        EXPECT_NE(windowsOpenErrorText(c.err, c.win32).find(c.words), std::string::npos) << c.win32;
    }
    EXPECT_EQ(windowsOpenErrorText(ENOTTY, 1), "это не последовательный порт");
}

// COM1..COM4 always, then the present ports above COM4; a variable wins; a
// Bluetooth link is kept from the search.
TEST(WindowsComNames, SystemPortsVariablesAndTheSearch) {
    const std::vector<WindowsPort> present = {
        {1, "Communications Port (COM1)", "\\Device\\Serial0"},
        {3, "", "\\Device\\VCP0"},
        {7, "USB Serial Port (COM7)", ""},
        {9, "USB Serial Port (COM9)", ""},
        {12, "Standard Serial over Bluetooth link (COM12)", ""}};
    const auto env = [](const std::string& name) -> std::optional<std::string> {
        if (name == "KSV717N_COM2")
            return "\\\\.\\CNCA0";
        if (name == "KSV717N_COM9")
            return "COM20";
        return std::nullopt;
    };
    const struct {
        int com;
        PortSource source;
        const char* device;
        const char* tip;
        bool searchable;
    } expected[] = {
        {1, PortSource::System, "COM1", "Communications Port", true},
        {2, PortSource::Variable, "\\\\.\\CNCA0", "\\\\.\\CNCA0 — задан переменной KSV717N_COM2",
         true},
        {3, PortSource::System, "COM3", "последовательный порт", true},
        {4, PortSource::Nothing, "COM4", "нет устройства", true},
        {7, PortSource::System, "COM7", "USB Serial Port", true},
        {9, PortSource::Variable, "COM20", "COM20 — задан переменной KSV717N_COM9", true},
        {12, PortSource::System, "COM12",
         "Standard Serial over Bluetooth link; порт Bluetooth — автоопределение его пропускает",
         false},
    };
    const std::vector<PortMapping> names = windowsComMappings(present, env);
    ASSERT_EQ(names.size(), std::size(expected));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const PortMapping& m = names[i];
        EXPECT_EQ(m.com, expected[i].com) << i;
        EXPECT_EQ(m.source, expected[i].source) << m.com;
        EXPECT_EQ(m.device, expected[i].device) << m.com;
        EXPECT_EQ(portTipText(m), expected[i].tip) << m.com;
        EXPECT_EQ(m.searchable(), expected[i].searchable) << m.com;
    }
    // A port the user names need not be present.
    EXPECT_EQ(windowsComMapping(30, present, env).device, "COM30");
}

} // namespace
} // namespace ksv
