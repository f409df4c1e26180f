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

    // How long the process has left before the system ends it, in ms (a
    // closed console window on Windows); negative: no limit. While a set is
    // programmed, a write starts, and goes on, only while the rest of it and
    // its verifying read fit into that time; otherwise the set is left
    // unchanged, or the write is cut short so that its row (which then says
    // the set may hold part of the file) is still written.
    void setTimeLeft(std::function<int()> msLeft) { timeLeft_ = std::move(msLeft); }

    bool setAnswers() override;
    void restOfInterval() override;
    FleetSetReport programSet(const std::function<bool(const Image&)>& afterRead) override;

private:
    // The time the rest of the set needs now, with its log row.
    int msNeeded() const;
    void watchTimeLeft();

    PortExchange& exchange_;
    Image file_;
    int pollMs_;
    const StateArchive* archive_;
    QElapsedTimer pollStarted_;
    std::function<int()> timeLeft_ = [] { return -1; };
    int plannedRecords_ = 0; // of the write under way
};

} // namespace ksv
