// The serial port component on pseudo-terminals and on an in-memory line.
#include "link/serial_port.h"
#include "link_test_util.h"
#include "serial/port_names.h"
#include "support/transceiver_sim.h"

#include <QTemporaryFile>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <termios.h>

using namespace ksv;
using namespace ksv::test;
using namespace std::chrono_literals;

namespace {

std::vector<std::uint8_t> allByteValues() {
    std::vector<std::uint8_t> v(256);
    for (int i = 0; i < 256; ++i)
        v[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    return v;
}

// A line in memory whose CTS the test switches.
struct MemoryLine {
    std::mutex m;
    std::condition_variable cv;
    bool cts = false;
    bool ctsChanged = false;
    bool wakes[3] = {};
    std::vector<std::uint8_t> written;

    void setCts(bool on) {
        std::lock_guard lk(m);
        cts = on;
        ctsChanged = true;
        cv.notify_all();
    }
    std::size_t writtenCount() {
        std::lock_guard lk(m);
        return written.size();
    }
};

class MemoryDevice : public SerialDevice {
public:
    explicit MemoryDevice(std::shared_ptr<MemoryLine> line) : line_(std::move(line)) {}
    bool open(const std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    int error() const override { return 0; }
    bool applyLine(const LineSettings&) override { return true; }
    int queuedIn() override { return 0; }
    int queuedOut() override { return 0; }
    int read(std::uint8_t*, int) override { return 0; }
    int write(const std::uint8_t* src, int n) override {
        std::lock_guard lk(line_->m);
        line_->written.insert(line_->written.end(), src, src + n);
        return n;
    }
    void purgeIn() override {}
    void purgeOut() override {}
    ModemLines modemLines() override {
        std::lock_guard lk(line_->m);
        return ModemLines{line_->cts, false, false, false};
    }
    void setDtr(bool) override {}
    void setRts(bool) override {}
    WaitResult wait(Waiter who, bool, int timeoutMs) override {
        std::unique_lock lk(line_->m);
        bool& w = line_->wakes[static_cast<int>(who)];
        const bool woken =
            line_->cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return w; });
        w = false;
        return woken ? WaitResult::Woken : WaitResult::Timeout;
    }
    void wake(Waiter who) override {
        std::lock_guard lk(line_->m);
        line_->wakes[static_cast<int>(who)] = true;
        line_->cv.notify_all();
    }
    unsigned waitLineEvent(int timeoutMs) override {
        std::unique_lock lk(line_->m);
        bool& w = line_->wakes[static_cast<int>(Waiter::Status)];
        line_->cv.wait_for(lk, std::chrono::milliseconds(timeoutMs),
                           [&] { return w || line_->ctsChanged; });
        w = false;
        return std::exchange(line_->ctsChanged, false) ? lineev::Cts : 0u;
    }

private:
    std::shared_ptr<MemoryLine> line_;
    bool open_ = false;
};

// The port on a pseudo-terminal, at the transceiver's line settings.
struct PortOnPty {
    PortOnPty() {
        port.setBaudRate(cbr9600);
        port.setDeviceName(pty.path());
    }
    PtyPair pty;
    SerialPort port;
};

} // namespace

TEST(SerialPort, DevicesThatAreNoSerialPortStayClosed) {
    SerialPort port;
    port.setComNumber(3); // mapped to an absent path for every test
    port.setOpen(true);
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.openError(), ENOENT);

    QTemporaryFile plain;
    ASSERT_TRUE(plain.open());
    port.setDeviceName(plain.fileName().toStdString());
    port.setOpen(true);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.openError(), ENOTTY);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Send("x", 1), 0);
    char c;
    EXPECT_EQ(port.Receive(&c, 1), 0);
    port.setOpen(false); // closing a closed port is harmless
}

TEST(SerialPort, PortNumbersMapToEnvironmentOrPlatformNames) {
    {
        ScopedPortMapping map(2, "/dev/ttyUSB7");
        EXPECT_EQ(portDeviceName(2), "/dev/ttyUSB7");
    }
    // Without the variable the port map decides (tested in port_map_test).
}

TEST(SerialPort, LineIsRawAndCarriesEveryByteUnchangedBothWays) {
    PortOnPty p;
    std::vector<std::uint8_t> got;
    p.port.OnTriggerAvail = [&](SerialPort* sender, std::uint16_t count) {
        std::vector<std::uint8_t> buf(count);
        buf.resize(static_cast<std::size_t>(sender->Receive(buf.data(), count)));
        got.insert(got.end(), buf.begin(), buf.end());
    };
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    p.port.setOpen(true); // opening an open port changes nothing
    EXPECT_TRUE(p.port.Open());

    termios tio{};
    ASSERT_EQ(::tcgetattr(p.pty.slave(), &tio), 0);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B9600));

    // 0x13 and 0x11 (XOFF/XON), CR, LF, ^C and every other value.
    const auto all = allByteValues();
    EXPECT_EQ(p.port.Send(all.data(), 256), 256);
    EXPECT_EQ(p.pty.read(256, 5s), all);
    p.pty.write(all);
    EXPECT_TRUE(processUntil([&] { return got.size() >= 256; }));
    EXPECT_EQ(got, all);
    EXPECT_TRUE(p.port.CTS()); // a pseudo-terminal has no CTS line: counts as on
}

TEST(SerialPort, ClosingGivesTheLineItsEarlierSettingsBack) {
    // The port may be a console or another program's line: what we set up
    // for the transceiver must not stay behind.
    PortOnPty p;
    termios before{};
    ASSERT_EQ(::tcgetattr(p.pty.slave(), &before), 0);
    ASSERT_TRUE(before.c_lflag & ICANON); // a fresh pseudo-terminal is cooked
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    termios during{};
    ASSERT_EQ(::tcgetattr(p.pty.slave(), &during), 0);
    EXPECT_FALSE(during.c_lflag & ICANON);
    p.port.setOpen(false);
    termios after{};
    ASSERT_EQ(::tcgetattr(p.pty.slave(), &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
}

TEST(SerialPort, BuffersBoundSendAndReceive) {
    PortOnPty p;
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    std::vector<std::uint8_t> big(5000, 0x55);
    EXPECT_EQ(p.port.Send(big.data(), 5000), 4096);

    p.pty.write(std::vector<std::uint8_t>(10, 0x13));
    ASSERT_TRUE(processUntil([&] { return p.port.InCount() == 10; }));
    std::uint8_t buf[100];
    EXPECT_EQ(p.port.Receive(buf, 100), 10);
    EXPECT_EQ(p.port.InCount(), 0);

    p.pty.write({1, 2, 3});
    ASSERT_TRUE(processUntil([&] { return p.port.InCount() == 3; }));
    EXPECT_EQ(p.port.Receive(buf, 2), 2);
    EXPECT_EQ(buf[1], 2);
    EXPECT_EQ(p.port.InCount(), 1);
    p.port.PurgeIn();
    EXPECT_EQ(p.port.InCount(), 0);
}

TEST(SerialPort, BytesLeftWaitingAreOfferedAgain) {
    PortOnPty p;
    p.port.setIdleOfferInterval(30);
    std::vector<int> counts;
    p.port.OnTriggerAvail = [&](SerialPort*, std::uint16_t count) { counts.push_back(count); };
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    p.pty.write(std::vector<std::uint8_t>(10, 0xAA));
    ASSERT_TRUE(processUntil([&] { return counts.size() >= 4; }));
    for (int c : counts)
        EXPECT_EQ(c, 10);
}

TEST(SerialPort, ClosingRunsTheEventAWorkerIsWaitingToDeliver) {
    PortOnPty p;
    bool handled = false;
    p.port.OnTriggerAvail = [&](SerialPort*, std::uint16_t) { handled = true; };
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    p.pty.write({0x13});
    // No event loop runs here: the reader stays blocked in its hand-over.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!p.port.hasPendingEvent() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_TRUE(p.port.hasPendingEvent());
    p.port.setOpen(false);
    EXPECT_TRUE(handled);
    EXPECT_FALSE(p.port.Open());
}

TEST(SerialPort, HandlerMayCloseThePort) {
    PortOnPty p;
    p.port.OnTriggerAvail = [&](SerialPort* sender, std::uint16_t) { sender->setOpen(false); };
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    p.pty.write({0x13});
    EXPECT_TRUE(processUntil([&] { return !p.port.Open(); }));
    p.port.setOpen(true); // and it can be opened again
    EXPECT_TRUE(p.port.Open());
}

TEST(SerialPort, DeviceHeldElsewhereIsRefusedUntilReleased) {
    PortOnPty p;
    {
        ForeignHolder holder(p.pty.path());
        ASSERT_TRUE(holder.holding());
        p.port.setOpen(true);
        EXPECT_FALSE(p.port.Open());
        EXPECT_EQ(p.port.openError(), EBUSY);
    }
    p.port.setOpen(true);
    EXPECT_TRUE(p.port.Open());
    SerialPort second; // a second opener in this process is refused too
    second.setDeviceName(p.pty.path());
    second.setOpen(true);
    EXPECT_FALSE(second.Open());
    p.port.setOpen(false);
    p.port.setOpen(true);
    EXPECT_TRUE(p.port.Open());
}

TEST(SerialPort, TransmitWaitsForCts) {
    auto line = std::make_shared<MemoryLine>();
    SerialPort port;
    port.setDeviceFactory([line] { return std::make_unique<MemoryDevice>(line); });
    port.setOpen(true);
    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(port.CTS());
    EXPECT_EQ(port.Send("abc", 3), 3);
    EXPECT_FALSE(processUntil([&] { return line->writtenCount() > 0; }, 300ms));
    line->setCts(true);
    EXPECT_TRUE(processUntil([&] { return line->writtenCount() == 3; }));
    EXPECT_TRUE(port.CTS());
}

TEST(SerialPort, VanishedLineLeavesThePortUsable) {
    PortOnPty p;
    p.port.setOpen(true);
    ASSERT_TRUE(p.port.Open());
    p.pty.closeMaster();
    EXPECT_EQ(p.port.Send("abc", 3), 3);
    // Nothing arrives and nothing hangs; the port still closes.
    EXPECT_FALSE(processUntil([&] { return p.port.InCount() > 0; }, 200ms));
    p.port.setOpen(false);
    EXPECT_FALSE(p.port.Open());
}
