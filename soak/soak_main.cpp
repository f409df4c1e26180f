// Soak run: read, write and verify against the transceiver simulator over a
// pseudo-terminal, cycle after cycle without pacing, and watch the resident
// memory. Every cycle must succeed, and after a warm-up the resident memory
// must stay flat, and no file descriptor may be left open. Not part of the test run; started by
// scripts/soak.
//
//   ksv_soak [cycles]    (1000 by default)

#include "image/checksum.h"
#include "image/defaults.h"
#include "link/port_exchange.h"
#include "operations/write_plan.h"
#include "support/transceiver_sim.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace ksv;
using namespace ksv::test;

namespace {

// Resident memory of this process in KiB.
long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Open file descriptors of this process.
long openDescriptors() {
    long n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// The growth allowed after the warm-up: enough for the allocator's own
// rounding, far below what a leak of a buffer or a thread per cycle costs.
constexpr long kAllowedGrowthKiB = 512;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int warmUp = std::max(1, cycles / 10);

    TransceiverSim sim;
    Image transceiver = defaultImage(rtVehicleVhf);
    storeChecksum(transceiver);
    sim.setImage(transceiver);
    sim.start();
    ScopedPortMapping com1(1, sim.devicePath());

    SerialPort port;
    configureSerialPort(port);
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange(port, timer, view);
    // The retry timer as in the program; the pauses that wait for a slow
    // line are not needed on a line without pacing.
    exchange.setTimings(ExchangeTimings{1000, 0});
    if (!exchange.SelectPort(1)) {
        std::fprintf(stderr, "soak: cannot open %s\n", sim.devicePath().c_str());
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    const long rssStart = residentKiB();
    const long fdsStart = openDescriptors();
    long rssWarm = rssStart;
    int failures = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        Image incoming;
        std::uint8_t status = 0;
        bool ok = exchange.ReadData(incoming, status);
        Image current = incoming;
        // A different receive frequency on a different channel every cycle.
        current.setRxCode(1 + cycle % 40, 100 + cycle % 500);
        const WritePlan plan =
            planWrite(current, incoming, TransferProtocol::powerLocked(status), true, false);
        current.setChecksum(plan.checksum);
        if (ok && plan.decision == WriteDecision::Write)
            ok = exchange.WriteData(plan.list);
        ok = ok && exchange.VerifyData(current) && sim.image() == plan.merged;
        if (!ok) {
            ++failures;
            std::fprintf(stderr, "soak: cycle %d failed\n", cycle);
        }
        sim.clearLog();
        if (cycle == warmUp)
            rssWarm = residentKiB();
    }
    const long rssEnd = residentKiB();
    const long fdsEnd = openDescriptors();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const long growth = rssEnd - rssWarm;
    std::printf("soak: %d read/write/verify cycles in %.1f s, %d failed\n", cycles, seconds,
                failures);
    std::printf("soak: resident memory %ld KiB at start, %ld KiB after %d warm-up cycles, "
                "%ld KiB at the end (%+ld KiB after warm-up, %ld allowed)\n",
                rssStart, rssWarm, warmUp, rssEnd, growth, kAllowedGrowthKiB);
    std::printf("soak: %ld open file descriptors at start, %ld at the end\n", fdsStart, fdsEnd);
    port.setOpen(false);
    return failures == 0 && growth <= kAllowedGrowthKiB && fdsEnd <= fdsStart ? 0 : 1;
}
