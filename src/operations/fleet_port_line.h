#pragma once

// The fleet's line over the port component: polls by the protocol's
// attention handshake, reads and writes through the exchange operations and
// the write command's rules.

#include "link/port_exchange.h"
#include "operations/fleet_run.h"

#include <QElapsedTimer>

namespace ksv {

class PortFleetLine : public FleetLine {
public:
    // file: the image every set is to hold; pollMs: the poll interval (the
    // exchange's timer period, a second in use); archive: where the states
    // read are kept (nullptr: nowhere).
    PortFleetLine(PortExchange& exchange, const Image& file, int pollMs,
                  const StateArchive* archive);

    bool setAnswers() override;
    void restOfInterval() override;
    FleetSetReport programSet(const std::function<bool(const Image&)>& afterRead) override;

private:
    PortExchange& exchange_;
    Image file_;
    int pollMs_;
    const StateArchive* archive_;
    QElapsedTimer pollStarted_;
};

} // namespace ksv
