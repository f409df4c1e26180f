#pragma once

// Times the exchanges with a paced transceiver simulator: the read, the
// write of every writable offset and the verifying read, run in this process
// through the same port component and exchange the programs use; and the
// whole command-line write as a process of its own.

#include "child_process.h"
#include "files/state_archive.h"
#include "link/port_exchange.h"
#include "link/serial_port.h"
#include "samples.h"
#include "support/transceiver_sim.h"

#include <QString>
#include <QTimer>
#include <functional>

namespace ksv::bench {

class LinkBench {
public:
    explicit LinkBench(test::TransceiverSim& sim);
    ~LinkBench();
    LinkBench(const LinkBench&) = delete;
    LinkBench& operator=(const LinkBench&) = delete;

    // Opens the port on the simulator's device.
    bool open();
    void close();

    LinkSample read();
    // The read command (readTransceiver), keeping the state in the archive
    // given; the simulator's image changes first, so that it is a new state.
    LinkSample readCommand(const StateArchive* archive);
    // Writes a list that changes every writable offset of the simulator's image.
    LinkSample write();
    // Verifies the simulator's image against itself.
    LinkSample verify();

private:
    LinkSample measure(const std::function<bool()>& exchange);

    test::TransceiverSim& sim_;
    SerialPort port_;
    QTimer timer_;
    EventLoopExchangeView view_;
    PortExchange exchange_;
};

// What crossed the line since the simulator's log was last cleared.
LineTraffic trafficOf(const test::TransceiverSim& sim);

// Runs `ksv717n-cli write` of a file that changes every writable offset of
// the simulator's image, from the process start to its exit. The file and
// the command's output go to workDir.
LinkSample cliWrite(test::TransceiverSim& sim, const std::string& cliPath,
                    const std::string& workDir);

} // namespace ksv::bench
