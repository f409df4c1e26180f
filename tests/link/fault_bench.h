#pragma once

// A transceiver simulator on COM1 and the exchange running on it without a
// window, at shortened timings, for tests that break the line or the
// transceiver and then check that the next command still works.

#include "image/checksum.h"
#include "image/defaults.h"
#include "link/port_exchange.h"
#include "operations/write_plan.h"
#include "support/sim_on_port.h"
#include "support/write_lists.h"

#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>

namespace ksv::test {

// A retry period of 100 ms: a failing exchange ends after about 0.6 s.
inline const ExchangeTimings kFaultTimings{100, 5};

// The longest an exchange may take to fail once its answers stop: the
// retries of one state, the pauses, and a margin for a loaded machine.
inline std::chrono::milliseconds retryTimeBound() {
    return std::chrono::milliseconds((TransferProtocol::kMaxRetries + 1) * kFaultTimings.timerMs +
                                     2000);
}

struct FaultBench {
    FaultBench() {
        configureSerialPort(port);
        exchange.setTimings(kFaultTimings);
        opened = exchange.SelectPort(1);
    }
    ~FaultBench() { port.setOpen(false); }

    // A healthy transceiver takes the place of one whose line vanished, on
    // the same port number, as when a cable is plugged in again.
    void replaceTransceiver() { sim.replace(sampleTransceiverImage()); }

    // The next command: a read that must deliver the transceiver's image.
    void expectNextReadSucceeds() {
        Image image;
        std::uint8_t status = 0;
        EXPECT_TRUE(exchange.ReadData(image, status));
        EXPECT_EQ(image, sim->image());
        EXPECT_EQ(port.openError(), 0);
    }

    SimOnPort sim{1, sampleTransceiverImage(), 0x20};
    SerialPort port;
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange{port, timer, view};
    bool opened = false;
};

// Runs an exchange and says how long it took.
template <typename F> std::chrono::milliseconds timed(F&& exchange) {
    const auto start = std::chrono::steady_clock::now();
    exchange();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// Every record the transceiver received is the list's entry at its place,
// repeats of one record following each other: nothing outside the list, and
// nothing out of order.
inline void expectOnlyListedRecords(const std::vector<SimRecord>& records, const WriteList& list) {
    int index = -1;
    for (const SimRecord& r : records) {
        ASSERT_TRUE(r.valid);
        const bool same =
            index >= 0 && r.offset == list.offsets[index] && r.value == list.values[index];
        if (same)
            continue;
        ++index;
        ASSERT_LT(index, list.count);
        EXPECT_EQ(r.offset, list.offsets[index]);
        EXPECT_EQ(r.value, list.values[index]);
    }
}

} // namespace ksv::test
