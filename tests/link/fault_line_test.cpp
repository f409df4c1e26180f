// The line vanishes (the pseudo-terminal is closed, as when a USB adapter is
// pulled) at every stage of a read, a write and a verification. Each
// exchange must fail within the retry time, leave the caller's image alone,
// send no record outside the list, and the next command must work against a
// transceiver plugged in again on the same port.
#include "fault_bench.h"

using namespace ksv;
using namespace ksv::test;

namespace {

struct ReadStage {
    const char* name;
    SimFaults faults;
};

// Bytes the transceiver sends in a read: 0x13, two 256-byte copies and the
// 512-byte service block.
const ReadStage kReadStages[] = {
    {"handshake", SimFaults{.vanishAfterSentBytes = 0}},
    {"first copy", SimFaults{.vanishAfterSentBytes = 1 + 100}},
    {"second copy", SimFaults{.vanishAfterSentBytes = 1 + 256 + 100}},
    {"service block", SimFaults{.vanishAfterSentBytes = 1 + 512 + 200}},
};

} // namespace

TEST(FaultLine, VanishingDuringEachStageOfAReadFailsAndLeavesTheImage) {
    for (const ReadStage& stage : kReadStages) {
        SCOPED_TRACE(stage.name);
        FaultBench b;
        ASSERT_TRUE(b.opened);
        b.sim->setFaults(stage.faults);
        Image image = defaultImage(rtVehicleVhf);
        const Image before = image;
        std::uint8_t status = 0x77;
        bool ok = true;
        EXPECT_LT(timed([&] { ok = b.exchange.ReadData(image, status); }), retryTimeBound());
        EXPECT_FALSE(ok);
        EXPECT_EQ(image, before);
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(b.sim->lineVanished());
        EXPECT_TRUE(b.port.lineLost());
        EXPECT_EQ(b.port.openError(), EIO);

        b.replaceTransceiver();
        b.expectNextReadSucceeds();
    }
}

TEST(FaultLine, VanishingDuringAWriteSendsOnlyListedRecords) {
    const WriteList list = writeListOf({{30, 1}, {31, 2}, {32, 3}, {33, 4}});
    const struct {
        const char* name;
        SimFaults faults;
        int recordsApplied;
    } stages[] = {
        {"before the second attention byte", SimFaults{.vanishAfterSentBytes = 1}, 0},
        {"at the third record", SimFaults{.vanishAtRecord = 2}, 2},
        {"after the last but one acknowledgement",
         SimFaults{.vanishAfterSentBytes = 2 + list.count - 1}, list.count - 1},
    };
    for (const auto& stage : stages) {
        SCOPED_TRACE(stage.name);
        FaultBench b;
        ASSERT_TRUE(b.opened);
        const Image original = b.sim->image();
        b.sim->setFaults(stage.faults);
        bool ok = true;
        EXPECT_LT(timed([&] { ok = b.exchange.WriteData(list); }), retryTimeBound());
        EXPECT_FALSE(ok);
        expectOnlyListedRecords(b.sim->records(), list);
        Image expected = original;
        for (int k = 0; k < stage.recordsApplied; ++k)
            expected[list.offsets[k]] = list.values[k];
        EXPECT_EQ(b.sim->image(), expected);

        b.replaceTransceiver();
        b.expectNextReadSucceeds();
    }
}

TEST(FaultLine, VanishingDuringTheVerifyingReadReportsNoSuccess) {
    FaultBench b;
    ASSERT_TRUE(b.opened);
    const Image incoming = b.sim->image();
    Image current = incoming;
    current.setRxCode(5, 123);
    const WritePlan plan = planWrite(current, incoming, 0, true, false);
    ASSERT_EQ(plan.decision, WriteDecision::Write);
    current.setChecksum(plan.checksum);
    ASSERT_TRUE(b.exchange.WriteData(plan.list));
    ASSERT_EQ(b.sim->image(), plan.merged);

    // The transceiver holds exactly what was written, but the line goes
    // while the verification reads it back: that is no confirmation.
    b.sim->setFaults(SimFaults{.vanishAfterSentBytes = 1 + 256 + 30});
    bool verified = true;
    EXPECT_LT(timed([&] { verified = b.exchange.VerifyData(current); }), retryTimeBound());
    EXPECT_FALSE(verified);

    b.replaceTransceiver();
    b.sim->setImage(plan.merged);
    EXPECT_TRUE(b.exchange.VerifyData(current));
}
