// A fleet run that the system will end in a moment (a console window closed
// on Windows): a write that would not fit is not begun, and one under way is
// cut short when the rest no longer fits, so that the set's row is written.

#include "fault_bench.h"
#include "operations/fleet_port_line.h"

namespace ksv::test {
namespace {

// The simulator's image with every channel moved: a write of many records.
Image fileWithManyChanges(const Image& in) {
    Image file = in;
    for (int i = 16; i < 216; ++i)
        file[i] ^= 0x01;
    file.setChecksum(CalcCRC(file));
    return file;
}

TEST(FleetTimeLeft, AWriteThatWouldNotFitIsNotBegunOrIsCutShort) {
    FaultBench bench;
    ASSERT_TRUE(bench.opened);
    bench.sim->setRecordDelay(std::chrono::milliseconds(3));
    const Image before = bench.sim->image();
    PortFleetLine line(bench.exchange, fileWithManyChanges(before), 100, nullptr);
    const auto any = [](const Image&) { return true; };

    line.setTimeLeft([] { return 2000; }); // the window closed while the set was read
    FleetSetReport r = line.programSet(any);
    EXPECT_EQ(r.result, FleetResult::Refused);
    EXPECT_TRUE(r.reason.contains("радиостанция не изменилась")) << r.reason.toStdString();
    EXPECT_EQ(bench.sim->image(), before);

    // Closed when 20 records were acknowledged: the write stops there.
    line.setTimeLeft([&] {
        return bench.exchange.protocol().state() == ExchangeState::WriteRecords &&
                       bench.exchange.protocol().recordsAcknowledged() >= 20
                   ? 3000
                   : -1;
    });
    r = line.programSet(any);
    EXPECT_EQ(r.result, FleetResult::WriteCutOff);
    EXPECT_GE(r.bytesWritten, 20);
    EXPECT_LT(r.bytesWritten, 100);
    EXPECT_TRUE(r.reason.contains("могла измениться")) << r.reason.toStdString();
}

} // namespace
} // namespace ksv::test
