#include "operations/fleet_port_line.h"

#include "operations/outcome_words.h"
#include "operations/transceiver_commands.h"

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

PortFleetLine::PortFleetLine(PortExchange& exchange, const Image& file, int pollMs,
                             const StateArchive* archive)
    : exchange_(exchange), file_(file), pollMs_(pollMs), archive_(archive) {}

// One attention byte, answered within one poll interval or not at all.
bool PortFleetLine::setAnswers() {
    pollStarted_.start();
    return exchange_.CallAttention(0).answered;
}

void PortFleetLine::restOfInterval() {
    QEventLoop loop;
    runEventsFor(loop, pollMs_ - static_cast<int>(pollStarted_.elapsed()));
}

namespace {

// What a set takes at 9600 baud: a write record with its acknowledgement
// (about 10.3 ms measured), a verifying read (about 1.35 s), and a margin for
// the log row; rounded up.
constexpr int kMsPerRecord = 12;
constexpr int kMsVerify = 1600;
constexpr int kMsRow = 400;

// The write command as the fleet runs it: the file is the image to write
// and its power bit plays the power level list; a factory number is never
// written; nothing is written into a set whose state could not be kept.
class FleetWrite : public WriteQuestions {
public:
    FleetWrite(const Image& file, const std::function<bool(const Image&)>& afterRead,
               std::function<bool(const WritePlan&)> mayWrite)
        : file_(file), afterRead_(afterRead), mayWrite_(std::move(mayWrite)) {}
    bool imageRead(const ReadOutcome& read) override { return afterRead_(read.image); }
    Image imageToWrite() override { return file_; }
    bool numberChangeAllowed() override { return false; }
    bool proceedWithWrite(const WritePlan& plan) override { return mayWrite_(plan); }

private:
    const Image& file_;
    const std::function<bool(const Image&)>& afterRead_;
    std::function<bool(const WritePlan&)> mayWrite_;
};

} // namespace

int PortFleetLine::msNeeded() const {
    const TransferProtocol& p = exchange_.protocol();
    const bool writing =
        p.state() == ExchangeState::WriteHandshake || p.state() == ExchangeState::WriteRecords;
    if (!writing)
        return kMsRow; // a read: its row at least must still be written
    return (plannedRecords_ - p.recordsAcknowledged()) * kMsPerRecord + kMsVerify + kMsRow;
}

// Cuts the exchange under way short when the rest of the set no longer fits.
void PortFleetLine::watchTimeLeft() {
    const int left = timeLeft_();
    if (left >= 0 && left < msNeeded() && exchange_.protocol().state() != ExchangeState::Idle)
        exchange_.cancel();
}

FleetSetReport PortFleetLine::programSet(const std::function<bool(const Image&)>& afterRead) {
    bool noTime = false;
    FleetWrite ask(file_, afterRead, [&](const WritePlan& plan) {
        plannedRecords_ = plan.list.count;
        const int left = timeLeft_();
        noTime = left >= 0 && left < plannedRecords_ * kMsPerRecord + kMsVerify + kMsRow;
        return !noTime;
    });
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [this] { watchTimeLeft(); });
    watch.start();
    const WriteOutcome o = writeTransceiver(exchange_, ask, archive_);
    watch.stop();
    FleetSetReport report;
    report.result = fleetResultOf(o.result);
    report.reason = fleetReason(o);
    if (noTime)
        report.reason = QStringLiteral("программа завершается, на запись не хватит времени; "
                                       "радиостанция не изменилась");
    report.keptBefore = o.read.kept;
    report.endsRun = o.result == WriteResult::NotKept;
    report.read = o.read.connected;
    report.asRead = o.read.image;
    report.status = o.read.status;
    report.asWritten = o.plan.merged;
    report.bytesWritten = o.recordsWritten;
    return report;
}

} // namespace ksv
