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

} // namespace
} // namespace ksv
