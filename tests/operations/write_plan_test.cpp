// The write command's decisions: band and power checks, merge over the
// writable offsets, checksum and write list; the verification compare.
#include "image/checksum.h"
#include "image/defaults.h"
#include "link/transfer_protocol.h"
#include "operations/write_plan.h"
#include "support/write_lists.h"

#include <gtest/gtest.h>

using namespace ksv;
using ksv::test::offsetsOf;

namespace {

Image vhf() {
    Image i = defaultImage(rtStationaryVhf);
    storeChecksum(i);
    return i;
}

Image withBand(Image i, int band) {
    i.set(map::Band, band);
    return i;
}

} // namespace

TEST(WritePlan, BandMismatchIsNamedByTheTransceiversBand) {
    const Image current = withBand(vhf(), 2);
    const struct {
        int transceiverBand;
        WriteDecision decision;
    } cases[] = {
        {1, WriteDecision::BandMetre},
        {3, WriteDecision::BandUnknown},
        {0, WriteDecision::BandUnknown},
    };
    for (const auto& c : cases) {
        const WritePlan p = planWrite(current, withBand(vhf(), c.transceiverBand), 0, true, false);
        EXPECT_EQ(p.decision, c.decision);
        EXPECT_TRUE(writeDecisionIsError(p.decision));
        EXPECT_FALSE(p.checksumComputed);
        EXPECT_TRUE(p.list.empty());
    }
    const WritePlan p = planWrite(withBand(vhf(), 1), withBand(vhf(), 2), 0, true, false);
    EXPECT_EQ(p.decision, WriteDecision::BandDecimetre);
}

TEST(WritePlan, PowerLockRefusesTheStationarySetOnKnownBandsOnly) {
    const bool locked = TransferProtocol::powerLocked(0x20);
    EXPECT_EQ(planWrite(vhf(), vhf(), locked, false, false).decision,
              WriteDecision::PowerLockedMetre);
    const Image uhf = withBand(vhf(), 2);
    EXPECT_EQ(planWrite(uhf, uhf, TransferProtocol::powerLocked(0x21), false, false).decision,
              WriteDecision::PowerLockedDecimetre);

    Image changed = vhf();
    changed[20] ^= 1;
    EXPECT_EQ(planWrite(changed, vhf(), locked, true, false).decision, WriteDecision::Write);
    EXPECT_EQ(planWrite(changed, vhf(), TransferProtocol::powerLocked(0xDF), false, false).decision,
              WriteDecision::Write);
    const Image odd = withBand(changed, 7); // neither band: no power message
    EXPECT_EQ(planWrite(odd, withBand(vhf(), 7), locked, false, false).decision,
              WriteDecision::Write);
}

TEST(WritePlan, OnlyWritableOffsetsEnterTheListInAscendingOrder) {
    const Image incoming = vhf();
    Image current = incoming;
    current[231] = 0x33;  // writable although among protected bytes
    current[230] = 0x44;  // never written
    current[229] = 0x55;  // firmware: never written
    current[240] = 0x66;  // never written
    current[226] ^= 0x0F; // factory number: only when allowed
    current[5] ^= 0x01;
    current[255] ^= 0x80;
    const WritePlan p = planWrite(current, incoming, 0, true, false);
    ASSERT_EQ(p.decision, WriteDecision::Write);
    // The checksum covers the merged image: the transceiver's protected
    // bytes with the writable ones of the window.
    Image merged = incoming;
    merged[231] = 0x33;
    merged[5] = current[5];
    merged[255] = current[255];
    EXPECT_EQ(p.checksum, CalcCRC(merged));
    EXPECT_NE(p.checksum, incoming.checksum());
    EXPECT_EQ(offsetsOf(p.list), (std::vector<int>{5, 231, 250, 255}));
    EXPECT_EQ(p.list.values[0], current[5]);
    EXPECT_EQ(p.list.values[2], p.checksum);
    EXPECT_EQ(p.merged.checksum(), p.checksum);
    EXPECT_EQ(p.merged[230], incoming[230]);

    const WritePlan withNumber = planWrite(current, incoming, 0, true, true);
    EXPECT_EQ(offsetsOf(withNumber.list), (std::vector<int>{5, 226, 231, 250, 255}));
}

TEST(WritePlan, NothingWritableDiffersMeansAlreadyWritten) {
    const Image incoming = vhf();
    Image current = incoming;
    current[228] ^= 0x30; // a factory number typed without the permission
    current[250] ^= 0xFF; // the window's own stale checksum is replaced
    const WritePlan p = planWrite(current, incoming, 0, true, false);
    EXPECT_EQ(p.decision, WriteDecision::AlreadyWritten);
    EXPECT_FALSE(writeDecisionIsError(p.decision));
    EXPECT_TRUE(p.checksumComputed);
    EXPECT_EQ(p.checksum, incoming.checksum());

    // Applying a plan's list to the transceiver leaves nothing to write.
    Image edited = incoming;
    edited[100] = 0x42;
    const WritePlan first = planWrite(edited, incoming, 0, true, false);
    Image after = incoming;
    for (int k = 0; k < first.list.count; ++k)
        after[first.list.offsets[k]] = first.list.values[k];
    edited.setChecksum(first.checksum);
    EXPECT_EQ(after, first.merged);
    EXPECT_EQ(planWrite(edited, after, 0, true, false).decision, WriteDecision::AlreadyWritten);
}

TEST(WritableOffsets, RuleAndVerificationCompare) {
    std::vector<int> protectedPlain, protectedNumber;
    for (int i = 0; i < 256; ++i) {
        if (!isWritableOffset(i, false))
            protectedPlain.push_back(i);
        if (!isWritableOffset(i, true))
            protectedNumber.push_back(i);
    }
    std::vector<int> expected{226, 227, 228, 229, 230};
    for (int i = 232; i <= 248; ++i)
        expected.push_back(i);
    EXPECT_EQ(protectedPlain, expected);
    expected.erase(expected.begin(), expected.begin() + 3);
    EXPECT_EQ(protectedNumber, expected);
    EXPECT_TRUE(numberChangeAllowed(omService, true));
    EXPECT_FALSE(numberChangeAllowed(omUser, true));
    EXPECT_FALSE(numberChangeAllowed(omService, false));

    const Image a = vhf();
    Image b = a;
    b[230] ^= 1;
    b[240] ^= 1;
    b[227] ^= 1;
    EXPECT_TRUE(sameAtWritableOffsets(a, b, false));
    EXPECT_EQ(firstWritableDifference(a, b, true), 227);
    b[3] ^= 1;
    EXPECT_EQ(firstWritableDifference(a, b, false), 3);
}

TEST(WriteRecord, CheckByteMakesTheFourBytesSumToZero) {
    EXPECT_EQ(writeRecord(0x10, 0x20), (std::array<std::uint8_t, 4>{0x02, 0x10, 0x20, 0xCE}));
    EXPECT_EQ(writeRecord(0xFF, 0xFF), (std::array<std::uint8_t, 4>{0x02, 0xFF, 0xFF, 0x00}));
}
