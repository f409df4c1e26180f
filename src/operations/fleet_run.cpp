#include "operations/fleet_run.h"

#include "image/codecs.h"

namespace ksv {

namespace {

// Misses in a row after which a set counts as taken away: one lost answer
// must not make the loop program the same set again.
constexpr int kMissesForRemoval = 2;

class FleetLoop {
public:
    FleetLoop(FleetLine& line, FleetSteps& steps, FleetView& view, const FleetOptions& options)
        : line_(line), steps_(steps), view_(view), options_(options) {}

    FleetSummary run() {
        while (options_.count <= 0 || summary_.sets < options_.count) {
            if (!waitForSet() || stopped())
                break;
            if (!serveSet()) {
                summary_.interrupted = true;
                break;
            }
            const bool last = options_.count > 0 && summary_.sets >= options_.count;
            if (last || stopped() || !waitForRemoval())
                break;
        }
        return summary_;
    }

private:
    bool stopped() {
        if (options_.stopRequested())
            summary_.interrupted = true;
        return summary_.interrupted;
    }

    bool waitForSet() {
        view_.waitingForSet();
        while (!stopped())
            if (line_.setAnswers())
                return true;
        return false;
    }

    bool waitForRemoval() {
        view_.waitingForRemoval();
        int misses = 0;
        while (misses < kMissesForRemoval) {
            if (stopped())
                return false;
            if (line_.setAnswers()) {
                misses = 0;
                line_.restOfInterval();
            } else {
                ++misses;
            }
        }
        return true;
    }

    // One set from its read to its record; false when the record failed or
    // the set ended the run.
    // Every set that answers is recorded, also one whose factory number
    // came before in this run: sets share numbers (blank ones, or sets once
    // written from one file with the number).
    bool serveSet() {
        const int number = summary_.sets + 1;
        bool declined = false;
        QString refusal;
        FleetSetReport report = line_.programSet([&](const Image& asRead) {
            view_.setRead(number, asRead);
            declined = !steps_.acceptSet(number, asRead, refusal);
            return !declined;
        });
        if (declined) {
            report.result = FleetResult::Refused;
            report.reason = refusal;
        }
        if (report.read) {
            const std::string zn = ZnTxt(report.asRead);
            report.numberSeenBefore = seen_.count(zn) != 0;
            report.cutOffBefore = cutOff_.count(zn) != 0;
            seen_.insert(zn);
            if (report.result == FleetResult::WriteCutOff)
                cutOff_.insert(zn);
            else if (report.result == FleetResult::Written ||
                     report.result == FleetResult::AlreadyWritten)
                cutOff_.erase(zn);
        }
        return record(number, report) && !report.endsRun;
    }

    bool record(int number, const FleetSetReport& report) {
        ++summary_.counts[static_cast<std::size_t>(report.result)];
        ++summary_.sets;
        return steps_.recordSet(number, report);
    }

    FleetLine& line_;
    FleetSteps& steps_;
    FleetView& view_;
    const FleetOptions& options_;
    FleetSummary summary_;
    std::set<std::string> seen_;   // factory numbers read in this run
    std::set<std::string> cutOff_; // ... whose write was cut off and not finished since
};

} // namespace

FleetSummary programFleet(FleetLine& line, FleetSteps& steps, FleetView& view,
                          const FleetOptions& options) {
    return FleetLoop(line, steps, view, options).run();
}

} // namespace ksv
