#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "image/normalise.h"

#include <gtest/gtest.h>
#include <random>

namespace ksv {
namespace {

TEST(StartupImage, DefaultImagePassedThroughTheWindow) {
    for (int type = 0; type < kRadioTypeCount; ++type) {
        SCOPED_TRACE(type);
        const Image& def = defaultImage(static_cast<RadioType>(type));
        const Image im = startupImage(type, omUser);
        EXPECT_EQ(RsType(im), type);
        EXPECT_TRUE(CheckCRC(im));
        EXPECT_EQ(im[11], 0x80);
        EXPECT_EQ(im[12], 0xFF);
        EXPECT_EQ(im[13], 0xFF);
        EXPECT_EQ(im[14], 0x80);
        EXPECT_EQ(im[15], 0x00);
        EXPECT_TRUE(im.get(map::Stored));
        EXPECT_EQ(im.get(map::Group1Copy), im.get(map::Group1First));
        EXPECT_EQ(im.get(map::Group2Copy), im.get(map::Group2First));
        // Nothing else moves: the channels, settings and unused bytes are the table's.
        for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
            if (!(o >= 11 && o <= 15) && o != map::Checksum.offset()) {
                EXPECT_EQ(im[o], def[o]) << "byte " << o;
            }
        }
        EXPECT_EQ(FrqTxt(im.rxCode(1), RsType(im)), type < 3 ? "148000" : "450000");
    }
}

TEST(StartupImage, MidBandClampsReceiveFrequenciesOnly) {
    const Image vhf = startupImage(rtVehicleVhf, omMidBand);
    const Image uhf = startupImage(rtStationaryUhf, omMidBand);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        EXPECT_EQ(FrqTxt(vhf.rxCode(ch), rtVehicleVhf), "149025");
        EXPECT_EQ(FrqTxt(uhf.rxCode(ch), rtStationaryUhf), "453025");
        EXPECT_EQ(vhf.txCode(ch), 0);
        EXPECT_TRUE(vhf.txOff(ch));
    }
    EXPECT_TRUE(CheckCRC(vhf));
}

TEST(StartupImage, TypeOutsideTheListCountsAsTheFirst) {
    EXPECT_EQ(startupImage(9, omUser), startupImage(0, omUser));
}

Image sample() {
    Image im = defaultImage(rtStationaryVhf);
    im.set(map::PriorityChannel, 3);
    return im;
}

TEST(NormaliseImage, ToneSignallingStoresTonesBeforeTheFirstGapOnly) {
    Image im = sample();
    im[0] = 19; // 2 s plus stray low bits
    im.setToneWord(1, toneEncode(2100));
    im.setToneWord(2, 0x0102); // a word that decodes to no spin-edit value: clamped
    im.setToneWord(3, 0);
    im.setToneWord(4, toneEncode(1450)); // after the gap: erased
    const Image out = normaliseImage(im, omUser);
    EXPECT_EQ(out[0], 16);
    EXPECT_EQ(out.toneWord(1), toneEncode(2100));
    EXPECT_EQ(out.toneWord(2), toneEncode(kToneMin));
    EXPECT_EQ(out.toneWord(3), 0);
    EXPECT_EQ(out.toneWord(4), 0);

    Image off = sample();
    off[0] = 24;
    off[3] = 0x55; // tone 1 absent: all tones cleared, duration kept
    const Image outOff = normaliseImage(off, omUser);
    EXPECT_EQ(outOff[3], 0);
    EXPECT_EQ(outOff[0], 24);

    Image noFreq = sample();
    noFreq.setToneWord(1, 0xFFFF); // N = 0 shows as 3000
    EXPECT_EQ(normaliseImage(noFreq, omUser).toneWord(1), toneEncode(kToneMax));
}

TEST(NormaliseImage, StandbyReceptionIsRecomputedFromByte231) {
    Image im = sample();
    im.set(map::RxTone, 1450);
    const Image out = normaliseImage(im, omUser);
    const auto c = detectorCoefficients(1450);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(out[11 + i], c[i]);

    im.set(map::RxTone, 3030); // beyond the spin edit: brought to 3000 Hz
    EXPECT_EQ(normaliseImage(im, omUser).get(map::RxTone), 3000);

    Image offPattern = sample();
    offPattern.set(map::RxTone, 1450);
    for (int i = 0; i < 4; ++i)
        offPattern[11 + i] = kDetectorOff[i];
    EXPECT_FALSE(normaliseImage(offPattern, omUser).get(map::RxTone));
}

TEST(NormaliseImage, ListsAndGroups) {
    Image im = sample();
    im.set(map::PriorityPeriod, 12); // shown as "1,0", stored as 10
    im.set(map::Group1First, 5);
    im.set(map::Group1Last, 9);
    im.set(map::Group1Copy, 77);
    im.set(map::Group2First, 30); // last before first: the group is refused, copy unchanged
    im.set(map::Group2Last, 3);
    im.set(map::Group2Copy, 88);
    const Image out = normaliseImage(im, omUser);
    EXPECT_EQ(out.get(map::PriorityPeriod), 10);
    EXPECT_EQ(out.get(map::Group1Copy), 5);
    EXPECT_EQ(out.get(map::Group2Copy), 88);
    EXPECT_EQ(out.get(map::Group2First), 30);

    // A last channel the list cannot show does not stop the first one's store.
    im.set(map::Group2Last, 45);
    EXPECT_EQ(normaliseImage(im, omUser).get(map::Group2Copy), 30);
}

TEST(NormaliseImage, ChannelFlagsAndScrambler) {
    Image im = defaultImage(rtRepeaterUhf);
    im.set(map::Scrambler, true);
    im.setTxCode(2, 40);
    im.channel(3).setScanL(true);
    im[Image::recordOffset(4) + 4] |= 0x3C; // bits without meaning
    Image out = normaliseImage(im, omUser);
    EXPECT_FALSE(out.get(map::Scrambler));
    EXPECT_FALSE(out.txOff(2));
    EXPECT_FALSE(out.scanL(3)); // no priority channel: the L column is emptied
    EXPECT_EQ(out[Image::recordOffset(4) + 4] & 0x3C, 0x3C);

    im.set(map::PriorityChannel, 1);
    out = normaliseImage(im, omUser);
    EXPECT_TRUE(out.scanL(3));

    Image vehicle = defaultImage(rtVehicleVhf);
    vehicle.set(map::Scrambler, true);
    EXPECT_TRUE(normaliseImage(vehicle, omUser).get(map::Scrambler));
}

// The bits of a byte that no operation of the program may change.
int uninterpreted(int o) {
    if (o >= map::FirstRecord && o < map::Group1First.offset() && (o - map::FirstRecord) % 5 == 4)
        return 0x3C;
    switch (o) {
    case 222:
        return 0xDF;
    case 223:
        return 0xC4;
    case 255:
        return 0xF5;
    case 230:
    case 251:
    case 254:
        return 0xFF;
    default:
        return o >= 232 && o <= 248 ? 0xFF : 0x00;
    }
}

// Over arbitrary images: a second pass changes nothing (the window shows what
// it stored), and the bytes the program does not interpret never change.
TEST(NormaliseImage, IdempotentAndKeepsUninterpretedBytes) {
    std::mt19937 rng(717);
    for (int round = 0; round < 300; ++round) {
        Image im;
        for (auto& b : im.bytes())
            b = static_cast<std::uint8_t>(rng());
        im.set(map::Band, 1 + round % 2);
        if (round % 3 == 0)
            im.set(map::PriorityChannel, std::nullopt);
        for (const OperatingMode mode : {omUser, omService, omMidBand}) {
            const Image once = normaliseImage(im, mode);
            ASSERT_EQ(normaliseImage(once, mode), once) << "round " << round << " mode " << mode;
            ASSERT_TRUE(CheckCRC(once));
            for (int o = 0; o < static_cast<int>(kImageSize); ++o)
                EXPECT_EQ(once[o] & uninterpreted(o), im[o] & uninterpreted(o)) << "byte " << o;
        }
    }
}

} // namespace
} // namespace ksv
