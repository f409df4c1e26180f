#include "link/port_line.h"

namespace ksv {

PortLine::PortLine(ExchangeView& view) : exchange_(port_, timer_, view) {
    timer_.setObjectName(QStringLiteral("retryTimer"));
    configureSerialPort(port_);
}

PortLine::~PortLine() {
    port_.setOpen(false);
}

} // namespace ksv
