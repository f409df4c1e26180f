// The Windows serial device against the transceiver simulator, run under
// Wine with the simulator's pseudo-terminal mapped as the COM port that
// KSV717N_TEST_PORT names (scripts/windows-test sets it up); without it the
// tests that need the port are skipped. The simulator paces both directions
// like a 9600-baud line.

#include "serial/win32_serial_device.h"
#include "serial/windows_ports.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace ksv {
namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kAttention = 0xFF, kAck = 0x13, kImageRequest = 0x01, kRecord = 0x02;
constexpr int kImageBytes = 256;
// One character of 8N1 at 9600 baud: ten bits.
constexpr double kCharMs = 10.0 * 1000.0 / 9600.0;

std::string portName() {
    const char* name = std::getenv("KSV717N_TEST_PORT");
    return name && *name ? name : "";
}

#define KSV_NEED_SIMULATOR()                                                                       \
    if (portName().empty())                                                                        \
    GTEST_SKIP() << "no simulator port (KSV717N_TEST_PORT)"

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void send(SerialDevice& dev, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int n = dev.write(bytes.data() + done, static_cast<int>(bytes.size() - done));
        ASSERT_GE(n, 0);
        done += static_cast<std::size_t>(n);
        if (done < bytes.size())
            dev.wait(Waiter::Writer, true, 100);
    }
}

// Reads as the port component's reader does: wait for input, then take what
// the driver holds.
Bytes receive(SerialDevice& dev, std::size_t count, int timeoutMs = 2000) {
    Bytes got;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count && Clock::now() < deadline) {
        dev.wait(Waiter::Reader, true, 100);
        const int queued = dev.queuedIn();
        if (queued <= 0)
            continue;
        Bytes chunk(static_cast<std::size_t>(queued));
        const int n = dev.read(chunk.data(), queued);
        if (n > 0)
            got.insert(got.end(), chunk.begin(), chunk.begin() + n);
    }
    return got;
}

class Win32SerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        KSV_NEED_SIMULATOR();
        ASSERT_TRUE(dev.open(portName()))
            << "error " << dev.error() << ", Windows error " << dev.win32Error();
        ASSERT_TRUE(dev.applyLine(LineSettings{}));
        dev.purgeIn();
    }

    Bytes request(std::uint8_t command, std::size_t answer) {
        send(dev, {command});
        return receive(dev, answer);
    }

    Win32SerialDevice dev;
};

TEST(Win32SerialOpen, FailuresSayWhy) {
    const struct {
        const char* name;
        int err;
    } cases[] = {{"COM9", ENOENT}, {"\\\\.\\NUL", ENOTTY}};
    for (const auto& c : cases) {
        Win32SerialDevice dev;
        EXPECT_FALSE(dev.open(c.name)) << c.name;
        EXPECT_EQ(dev.error(), c.err) << c.name;
        EXPECT_NE(dev.win32Error(), 0u) << c.name;
        EXPECT_FALSE(dev.isOpen());
    }
}

TEST(Win32SerialOpen, ExclusiveUntilClosed) {
    KSV_NEED_SIMULATOR();
    Win32SerialDevice first, second;
    ASSERT_TRUE(first.open(portName()));
    EXPECT_FALSE(second.open("\\\\.\\" + portName()));
    EXPECT_EQ(second.error(), EBUSY);
    first.close();
    EXPECT_TRUE(second.open(portName()));
}

TEST(Win32SerialOpen, ListedPort) {
    KSV_NEED_SIMULATOR();
    const auto ports = listWindowsPorts();
    EXPECT_TRUE(std::any_of(ports.begin(), ports.end(),
                            [](const WindowsPort& p) { return p.name() == portName(); }));
}

TEST_F(Win32SerialDeviceTest, NoModemLinesOnAPseudoTerminal) {
    EXPECT_FALSE(dev.hasModemLines());
    EXPECT_TRUE(dev.modemLines().cts); // nothing holds the writer back
}

TEST_F(Win32SerialDeviceTest, AttentionIsAcknowledged) {
    EXPECT_EQ(request(kAttention, 1), Bytes{kAck});
}

TEST_F(Win32SerialDeviceTest, PurgeDropsWhatArrived) {
    send(dev, {kAttention});
    ASSERT_EQ(dev.wait(Waiter::Reader, true, 1000), WaitResult::Ready);
    dev.purgeIn();
    EXPECT_EQ(dev.queuedIn(), 0);
    EXPECT_EQ(request(kAttention, 1), Bytes{kAck});
}

// Every value a raw line must pass untouched: XOFF (also the
// acknowledgement), XON, NUL, 0xFF, CR and LF, out in write records and back
// in the image.
TEST_F(Win32SerialDeviceTest, LineIsRawBothWays) {
    const std::uint8_t values[] = {0x13, 0x11, 0x00, 0xFF, 0x0D, 0x0A};
    constexpr std::uint8_t kFirstOffset = 100;
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const auto offset = static_cast<std::uint8_t>(kFirstOffset + i);
        const auto check = static_cast<std::uint8_t>(-(kRecord + offset + values[i]));
        send(dev, {kRecord, offset, values[i], check});
        ASSERT_EQ(receive(dev, 1), Bytes{kAck}) << "record " << i;
    }
    const Bytes image = request(kImageRequest, kImageBytes);
    ASSERT_EQ(image.size(), static_cast<std::size_t>(kImageBytes));
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(image[kFirstOffset + i], values[i]) << "offset " << kFirstOffset + i;
}

// The request and the image take 257 characters on the line; the device
// must add little to that.
TEST_F(Win32SerialDeviceTest, ImageComesAtTheLinesPace) {
    const auto start = Clock::now();
    const Bytes image = request(kImageRequest, kImageBytes);
    const double ms = msSince(start);
    ASSERT_EQ(image.size(), static_cast<std::size_t>(kImageBytes));
    const double limitMs = (1 + kImageBytes) * kCharMs;
    std::printf("image read in %.1f ms, line limit %.1f ms, ratio %.3f\n", ms, limitMs,
                ms / limitMs);
    EXPECT_LT(ms / limitMs, 1.15);
}

TEST_F(Win32SerialDeviceTest, WakeEndsEachWaitAtOnce) {
    const struct {
        Waiter who;
        bool forIo;
        bool lineEvent; // waitLineEvent() instead of wait()
    } cases[] = {{Waiter::Reader, true, false},
                 {Waiter::Writer, false, false},
                 {Waiter::Status, false, false},
                 {Waiter::Status, false, true}};
    for (const auto& c : cases) {
        const int who = static_cast<int>(c.who);
        const auto waitOnce = [&] {
            const auto start = Clock::now();
            if (c.lineEvent)
                dev.waitLineEvent(5000);
            else
                EXPECT_EQ(dev.wait(c.who, c.forIo, 5000), WaitResult::Woken) << who;
            return msSince(start);
        };
        dev.wake(c.who); // given before the wait: not lost
        EXPECT_LT(waitOnce(), 50.0) << who;
        auto waiting = std::async(std::launch::async, waitOnce);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto woken = Clock::now();
        dev.wake(c.who);
        waiting.get();
        EXPECT_LT(msSince(woken), 50.0) << who;
    }
}

} // namespace
} // namespace ksv
