#include "link/fleet_port_line.h"

#include "link/command_texts.h"
#include "link/transceiver_commands.h"

#include <QEventLoop>
#include <QTimer>

namespace ksv {
namespace {

// Runs events for ms milliseconds, or until quit() on the loop.
void runEventsFor(QEventLoop& loop, int ms) {
    if (ms <= 0)
        return;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

PortFleetLine::PortFleetLine(PortExchange& exchange, const Image& file, int pollMs)
    : exchange_(exchange), file_(file), pollMs_(pollMs) {}

// The exchange's own handler drops every byte while it is idle, so the poll
// takes the port's offers of bytes for itself while it waits, and gives them
// back afterwards.
bool PortFleetLine::setAnswers() {
    pollStarted_.start();
    TCommPort& port = exchange_.port();
    if (port.lineLost() || !port.Open()) {
        port.setOpen(false);
        port.setOpen(true);
    }
    bool answered = false;
    QEventLoop loop;
    const auto exchangeHandler = port.OnTriggerAvail;
    port.OnTriggerAvail = [&](TCustomCommPort*, std::uint16_t) {
        std::uint8_t bytes[64];
        const int n = port.Receive(bytes, sizeof bytes);
        if (n > 0 && bytes[n - 1] == TransferProtocol::kAck) {
            answered = true;
            loop.quit();
        }
    };
    port.PurgeIn();
    port.PurgeOut();
    const std::uint8_t attention = TransferProtocol::kAttention;
    port.Send(&attention, 1); // on a closed port the interval passes all the same
    runEventsFor(loop, pollMs_);
    port.OnTriggerAvail = exchangeHandler;
    return answered;
}

void PortFleetLine::restOfInterval() {
    QEventLoop loop;
    runEventsFor(loop, pollMs_ - static_cast<int>(pollStarted_.elapsed()));
}

namespace {

// The write command as the fleet runs it: the file is the image to write
// and its power bit plays the power level list; a factory number is never
// written.
class FleetWriteHost : public WriteHost {
public:
    FleetWriteHost(const Image& file, const std::function<bool(const Image&)>& afterRead)
        : file_(file), afterRead_(afterRead) {}
    bool imageRead(const ReadOutcome& read) override { return afterRead_(read.image); }
    Image imageToWrite() override { return file_; }
    bool powerListAtFirstEntry() override { return testBit(file_[off::Options223], bit::PowerSet); }
    bool numberChangeAllowed() override { return false; }

private:
    const Image& file_;
    const std::function<bool(const Image&)>& afterRead_;
};

FleetResult fleetResultOf(WriteResult r) {
    switch (r) {
    case WriteResult::Written:
        return FleetResult::Written;
    case WriteResult::AlreadyWritten:
        return FleetResult::AlreadyWritten;
    case WriteResult::Refused:
    case WriteResult::Stopped:
        return FleetResult::Refused;
    case WriteResult::VerifyFailed:
        return FleetResult::VerifyFailed;
    case WriteResult::NoConnection:
    case WriteResult::WriteFailed:
        break;
    }
    return FleetResult::NoConnection;
}

// The message the write command shows for the outcome.
QString reasonOf(const WriteOutcome& o) {
    switch (o.result) {
    case WriteResult::Refused:
        return writeDecisionText(o.plan.decision);
    case WriteResult::VerifyFailed:
        return writeCheckFailedText();
    case WriteResult::NoConnection:
    case WriteResult::WriteFailed:
        return noConnectionText();
    default:
        return {};
    }
}

} // namespace

FleetSetReport PortFleetLine::programSet(const std::function<bool(const Image&)>& afterRead) {
    FleetWriteHost host(file_, afterRead);
    const WriteOutcome o = writeTransceiver(exchange_, host);
    FleetSetReport report;
    report.result = fleetResultOf(o.result);
    report.reason = reasonOf(o);
    report.read = o.read.connected;
    report.asRead = o.read.image;
    report.status = o.read.status;
    report.asWritten = o.plan.merged;
    report.bytesWritten = o.recordsWritten;
    return report;
}

} // namespace ksv
