// Ports that cannot serve: one the user may not open, and one whose device
// vanishes while it is open. Each gives a reason (openError) and none stops
// a later command from working once the device is usable again. (A port held
// by another program is refused with EBUSY; see the port component's tests.)
#include "fault_bench.h"
#include "link/port_selection.h"
#include "link_test_util.h"
#include "support/unprivileged.h"

#include <ctime>
#include <sys/stat.h>
#include <thread>

using namespace ksv;
using namespace ksv::test;
using namespace std::chrono_literals;

namespace {

std::chrono::nanoseconds processCpuTime() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

} // namespace

TEST(FaultPort, PermissionDeniedIsRefusedWithItsReason) {
    PtyPair pty;
    ASSERT_EQ(::chmod(pty.path().c_str(), 0), 0);
    ScopedPortMapping com2(2, pty.path());
    SerialPort port;
    configureSerialPort(port);
    port.setComNumber(2);
    // Root may open anything: the attempt is made as an ordinary user.
    const int rc = runUnprivileged([&] {
        port.setOpen(true);
        if (port.Open())
            return 1;
        return port.openError() == EACCES ? 0 : 2;
    });
    EXPECT_EQ(rc, 0);

    // Once the user may use it, the same choice opens it.
    ASSERT_EQ(::chmod(pty.path().c_str(), 0660), 0);
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange(port, timer, view);
    EXPECT_TRUE(choosePort(exchange, 2).opened);
    EXPECT_EQ(port.openError(), 0);
}

TEST(FaultPort, VanishingWhileOpenIsReportedAndTheNextExchangeReopens) {
    FaultBench b;
    ASSERT_TRUE(b.opened);
    b.sim->closeLine();
    // A dead line stays readable to poll(): the port's threads must not spin
    // on it. Measured over real time, since it is the threads' own cost.
    const auto cpuBefore = processCpuTime();
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(processCpuTime() - cpuBefore, 60ms);

    ASSERT_TRUE(processUntil([&] { return b.port.lineLost(); }));
    EXPECT_EQ(b.port.openError(), EIO);
    EXPECT_TRUE(b.port.Open()); // the program did not close it: the port choice stands

    // While the device is still missing, the exchange fails within the
    // retry time and the port is closed, with the reason for it.
    b.sim.pointAt("/nonexistent/ksv717n-gone");
    Image image = defaultImage(rtVehicleVhf);
    const Image before = image;
    std::uint8_t status;
    bool ok = true;
    EXPECT_LT(timed([&] { ok = b.exchange.ReadData(image, status); }), retryTimeBound());
    EXPECT_FALSE(ok);
    EXPECT_EQ(image, before);
    EXPECT_FALSE(b.port.Open());
    EXPECT_EQ(b.port.openError(), ENOENT);

    // Plugged in again: the next read opens the same port number by itself.
    b.replaceTransceiver();
    b.expectNextReadSucceeds();
    EXPECT_EQ(b.exchange.openPort(), 1);
}

// A component destroyed while a worker waits to deliver bytes calls no
// handler: whatever the handler refers to may be gone already.
TEST(FaultPort, DestroyedPortCallsNoHandler) {
    PtyPair pty;
    auto port = std::make_unique<SerialPort>();
    port->setDeviceName(pty.path());
    bool called = false;
    port->OnTriggerAvail = [&](SerialPort*, std::uint16_t) { called = true; };
    port->setOpen(true);
    ASSERT_TRUE(port->Open());
    pty.write({0x13});
    // No event loop runs here: the reader stays blocked in its hand-over.
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!port->hasPendingEvent() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_TRUE(port->hasPendingEvent());
    port.reset();
    EXPECT_FALSE(called);
}
