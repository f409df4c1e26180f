#pragma once

// The line to the transceiver as a program owns it: the port component, the
// retry timer and the exchange over them. The window program and the command
// line each hold one for their whole run; what an exchange shows goes to the
// view they give it (the progress window, a terminal's bar).

#include "link/port_exchange.h"
#include "link/serial_port.h"

#include <QTimer>

namespace ksv {

class PortLine {
public:
    explicit PortLine(ExchangeView& view);
    // Closes the port first: its last events still reach the exchange.
    ~PortLine();
    PortLine(const PortLine&) = delete;
    PortLine& operator=(const PortLine&) = delete;

    SerialPort& port() { return port_; }
    QTimer& timer() { return timer_; }
    PortExchange& exchange() { return exchange_; }

private:
    SerialPort port_;
    QTimer timer_;
    PortExchange exchange_;
};

} // namespace ksv
