#include "link/fleet_port_line.h"

#include "image/codecs.h"
#include "link/command_texts.h"
#include "link/write_plan.h"

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

bool PortFleetLine::readSet(Image& image, std::uint8_t& status) {
    return exchange_.ReadData(image, status);
}

FleetSetReport PortFleetLine::programSet(const Image& asRead, std::uint8_t status) {
    FleetSetReport report;
    Image current = file_;
    const bool powerAtFirst = testBit(current[off::Options223], bit::PowerSet);
    const WritePlan plan = planWrite(current, asRead, status, powerAtFirst, false);
    if (writeDecisionIsError(plan.decision)) {
        report.result = FleetResult::Refused;
        report.reason = writeDecisionText(plan.decision);
        return report;
    }
    current[off::Checksum] = plan.checksum;
    report.asWritten = plan.merged;
    if (plan.decision == WriteDecision::AlreadyWritten) {
        report.result = FleetResult::AlreadyWritten;
        return report;
    }
    if (!exchange_.WriteData(plan.list)) {
        report.reason = noConnectionText();
        return report;
    }
    report.bytesWritten = plan.list.count;
    const bool verified = exchange_.VerifyData(current, false);
    report.result = verified ? FleetResult::Written : FleetResult::VerifyFailed;
    if (!verified)
        report.reason = writeCheckFailedText();
    return report;
}

} // namespace ksv
