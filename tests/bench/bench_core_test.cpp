#include "full_change.h"
#include "line_budget.h"

#include "image/checksum.h"
#include "image/defaults.h"
#include "operations/write_plan.h"

#include <gtest/gtest.h>
#include <random>

namespace ksv::bench {
namespace {

constexpr int kWritable = 234; // 0..225, 231, 249..255

TEST(LineBudget, BothDirectionsAndRecordDelaysAddUp) {
    const LineModel line; // 9600 baud, 10 bits, 5 ms
    // A read: 0xFF, 0x01, 0x01, 0x03 0x07 out; 0x13, 2 x 256, 512 in.
    EXPECT_NEAR(lineLimitMs({5, 1025, 0}, line), 1030 * 10000.0 / 9600, 1e-9);
    // A write of 234 records: two attention bytes and 4 bytes a record out,
    // one acknowledgement each in, 5 ms a record in the transceiver.
    EXPECT_NEAR(lineLimitMs({938, 236, 234}, line), 1174 * 10000.0 / 9600 + 1170, 1e-9);
    LineTraffic sum{5, 1025, 0};
    sum += LineTraffic{938, 236, 234};
    EXPECT_EQ(sum.toDevice, 943u);
    EXPECT_EQ(sum.fromDevice, 1261u);
    EXPECT_EQ(sum.acknowledgedRecords, 234);
}

TEST(LineBudget, MedianOfOddEvenAndNoSamples) {
    EXPECT_EQ(median({5, 1, 3}), 3);
    EXPECT_EQ(median({4, 1, 3, 10}), 3.5);
    EXPECT_EQ(median({}), 0);
}

int writeListLength(const Image& device, const Image& file) {
    const WritePlan plan = planWrite(file, device, 0, file.get(map::PowerSet), false);
    EXPECT_EQ(plan.decision, WriteDecision::Write);
    return plan.list.count;
}

TEST(FullChange, ListTouchesEveryWritableOffsetOnly) {
    const Image device = defaultImage(rtRepeaterUhf);
    const WriteList list = listChangingEveryOffset(device);
    ASSERT_EQ(list.count, kWritable);
    for (int k = 0; k < list.count; ++k) {
        EXPECT_TRUE(isWritableOffset(list.offsets[k], false)) << int(list.offsets[k]);
        EXPECT_NE(list.values[k], device[list.offsets[k]]);
    }
}

TEST(FullChange, FileWritesEveryOffsetRunAfterRun) {
    for (int type = 0; type < kRadioTypeCount; ++type) {
        Image device = defaultImage(static_cast<RadioType>(type));
        storeChecksum(device);
        // Each run writes the file into the transceiver; the next run starts
        // from what it holds then.
        for (int run = 0; run < 3; ++run) {
            const Image file = fileChangingEveryOffset(device);
            ASSERT_EQ(writeListLength(device, file), kWritable) << "type " << type;
            device = planWrite(file, device, 0, true, false).merged;
        }
    }
}

TEST(FullChange, ChecksumThatWouldNotChangeIsMovedToo) {
    // Images where flipping every writable byte leaves the checksum the
    // device already holds: the file must still change byte 250.
    std::mt19937 rng(7);
    int found = 0;
    for (int i = 0; i < 20000 && found < 3; ++i) {
        Image device;
        for (auto& b : device.bytes())
            b = static_cast<std::uint8_t>(rng());
        device[map::Band.offset()] = 0x01;
        Image flipped = device;
        for (int o = 0; o < 256; ++o)
            if (isWritableOffset(o, false))
                flipped[o] ^= 0xFF;
        if (planWrite(flipped, device, 0, true, false).checksum != device.checksum())
            continue;
        ++found;
        EXPECT_EQ(writeListLength(device, fileChangingEveryOffset(device)), kWritable);
    }
    EXPECT_GT(found, 0);
}

} // namespace
} // namespace ksv::bench
