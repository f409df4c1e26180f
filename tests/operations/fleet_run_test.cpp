// The fleet loop over a scripted line: which set answers each poll.
#include "image/codecs.h"
#include "operations/fleet_run.h"
#include "operations/outcome_words.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

struct ScriptedLine : FleetLine {
    std::vector<int> polls; // the set on the line at each poll, 0: none
    std::size_t next = 0;
    int onLine = 0;
    std::vector<int> programmed;
    std::vector<FleetResult> results; // of each set programmed in turn; Written after them
    bool stopWhileProgramming = false;
    bool stop = false;

    bool setAnswers() override {
        stop = stop || next >= polls.size();
        onLine = stop ? 0 : polls[next++];
        return onLine != 0;
    }
    void restOfInterval() override {}
    FleetSetReport programSet(const std::function<bool(const Image&)>& afterRead) override {
        FleetSetReport r;
        r.read = true;
        ZnToBuf(static_cast<std::uint32_t>(onLine), r.asRead);
        if (!afterRead(r.asRead))
            return r;
        const std::size_t turn = programmed.size();
        programmed.push_back(onLine);
        stop = stop || stopWhileProgramming;
        r.result = turn < results.size() ? results[turn] : FleetResult::Written;
        return r;
    }
};

struct RecordingProgress : FleetSteps, FleetView {
    std::vector<std::string> events;
    bool refuse = false;
    void waitingForSet() override { events.push_back("wait"); }
    void setRead(int number, const Image& im) override {
        events.push_back(std::to_string(number) + " read " + ZnTxt(im));
    }
    void backupSaved(const QString&) override {}
    void setRecorded(const FleetSetRecord&) override {}
    bool acceptSet(int, const Image&, QString& refusal) override {
        refusal = QStringLiteral("no backup");
        return !refuse;
    }
    bool recordSet(int number, const FleetSetReport& r) override {
        events.push_back(std::to_string(number) + " " +
                         fleetResultText(r.result, r.reason).toStdString() +
                         (r.numberSeenBefore ? " seen" : "") + (r.cutOffBefore ? " resumed" : ""));
        return true;
    }
    void waitingForRemoval() override { events.push_back("remove"); }
};

// Every set that answers is recorded, one whose number came before too;
// a set whose write was cut off is known again when it comes back.
TEST(FleetRun, RemovalNeedsTwoMissesAndEverySetIsRecorded) {
    ScriptedLine line;
    // Set 1 answers, glitches once while it is still connected, is taken
    // away, comes back, is taken away; then set 2.
    line.polls = {0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 2};
    line.results = {FleetResult::WriteCutOff};
    RecordingProgress progress;
    FleetOptions options;
    options.count = 3;
    options.stopRequested = [&] { return line.stop; };
    const FleetSummary s = programFleet(line, progress, progress, options);
    EXPECT_EQ(line.next, line.polls.size());
    EXPECT_EQ(line.programmed, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"wait", "1 read 000001", "1 запись прервана", "remove",
                                        "wait", "2 read 000001", "2 записано seen resumed",
                                        "remove", "wait", "3 read 000002", "3 записано"}));
    EXPECT_EQ(s.sets, 3);
    EXPECT_EQ(s.count(FleetResult::Written), 2);
    EXPECT_EQ(s.count(FleetResult::WriteCutOff), 1);
    EXPECT_FALSE(s.interrupted);
}

TEST(FleetRun, StopEndsAfterTheSetAndARefusedBackupWritesNothing) {
    ScriptedLine line;
    line.polls = {3, 3, 0, 0, 4};
    line.stopWhileProgramming = true;
    RecordingProgress progress;
    FleetOptions options;
    options.stopRequested = [&] { return line.stop; };
    FleetSummary s = programFleet(line, progress, progress, options);
    EXPECT_TRUE(s.interrupted);
    EXPECT_EQ(s.sets, 1);
    EXPECT_EQ(line.next, 1u); // no removal wait after the stop

    ScriptedLine refusing;
    refusing.polls = {5};
    progress.refuse = true;
    options.stopRequested = [&] { return refusing.stop; };
    s = programFleet(refusing, progress, progress, options);
    EXPECT_TRUE(refusing.programmed.empty());
    EXPECT_EQ(s.count(FleetResult::Refused), 1);
    EXPECT_EQ(progress.events.end()[-2], "1 отказ: no backup");
}

} // namespace
} // namespace ksv
