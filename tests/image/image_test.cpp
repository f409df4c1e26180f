#include "image/checksum.h"
#include "image/defaults.h"
#include "image/image.h"
#include "image/mode.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ksv;

namespace {

Image zeroImage() {
    return Image();
}

} // namespace

TEST(Checksum, WorkedValues) {
    Image im = zeroImage();
    EXPECT_EQ(CalcCRC(im), 0xFF);

    for (int i = 0; i < 256; ++i)
        im[i] = 0xFF;
    EXPECT_EQ(CalcCRC(im), 0x00);

    im = zeroImage();
    im[0] = 0x01;
    EXPECT_EQ(CalcCRC(im), 0xFE);
    im[0] = 0xFF;
    im[1] = 0x01; // 0xFF + 0x01 folds to 0x01
    EXPECT_EQ(CalcCRC(im), 0xFE);
    im[0] = 0x80;
    im[1] = 0x80;
    EXPECT_EQ(CalcCRC(im), 0xFE);

    for (int i = 0; i < 256; ++i)
        im[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(CalcCRC(im), 0xB9);
}

TEST(Checksum, IgnoresBytesFrom230On) {
    Image im = defaultImage(rtVehicleVhf);
    const auto crc = CalcCRC(im);
    for (int i = 230; i < 256; ++i) {
        Image c = im;
        c[i] ^= 0x5A;
        EXPECT_EQ(CalcCRC(c), crc) << i;
    }
    for (int i = 0; i < 230; ++i) {
        Image c = im;
        c[i] ^= 0x01;
        EXPECT_NE(CalcCRC(c), crc) << i;
    }
    im.setChecksum(crc);
    EXPECT_TRUE(CheckCRC(im));
    im.setChecksum(static_cast<std::uint8_t>(im.checksum() ^ 1));
    EXPECT_FALSE(CheckCRC(im));
}

TEST(RadioType, FromBandPowerAndRepeaterBits) {
    struct Case {
        std::uint8_t b223, b228, b255;
        RadioType want;
    };
    const std::vector<Case> cases = {
        {0x21, 0x01, 0x03, rtVehicleVhf},    {0x01, 0x01, 0x03, rtStationaryVhf},
        {0x01, 0x01, 0x0B, rtRepeaterVhf},   {0x21, 0x02, 0x03, rtVehicleUhf},
        {0x01, 0x02, 0x03, rtStationaryUhf}, {0x01, 0x02, 0x0B, rtRepeaterUhf},
        {0x21, 0x01, 0x0B, rtVehicleVhf},    // the vehicle power set wins over the repeater bit
        {0x01, 0x11, 0x03, rtStationaryVhf}, // factory number bits do not disturb the band
        {0x01, 0x00, 0x0B, rtVehicleVhf},    // invalid band
        {0x01, 0x03, 0x0B, rtVehicleVhf},    {0x21, 0x0F, 0x0B, rtVehicleVhf},
    };
    for (const auto& c : cases) {
        Image im;
        im[223] = c.b223;
        im[228] = c.b228;
        im[255] = c.b255;
        EXPECT_EQ(RsType(im), c.want) << int(c.b223) << " " << int(c.b228) << " " << int(c.b255);
    }
}

TEST(ChannelRecord, FieldsAndTheirNeighbours) {
    Image im = defaultImage(rtVehicleVhf);
    EXPECT_EQ(im.rxCode(1), 12);
    EXPECT_EQ(im.txCode(1), 0);
    EXPECT_EQ(im.rxSubtone(1), 0);
    EXPECT_TRUE(im.txOff(1));
    EXPECT_FALSE(im.prohibited(1));
    EXPECT_FALSE(im.scanS(1));
    EXPECT_FALSE(im.scanL(1));

    // Every field of channel 7 set to its widest value leaves the other fields
    // and the neighbouring records alone.
    Image before = im;
    im.setRxCode(7, 1023);
    im.setTxCode(7, 513);
    im.setRxSubtone(7, 50);
    im.setTxSubtone(7, 63);
    EXPECT_EQ(im.rxCode(7), 1023);
    EXPECT_EQ(im.txCode(7), 513);
    EXPECT_EQ(im.rxSubtone(7), 50);
    EXPECT_EQ(im.txSubtone(7), 63);
    EXPECT_EQ(im.flags(7), before.flags(7));
    for (int i = 0; i < 256; ++i) {
        if (i < Image::recordOffset(7) || i > Image::recordOffset(7) + 4) {
            EXPECT_EQ(im[i], before[i]) << i;
        }
    }

    im.setRxCode(7, 0x7FF); // higher bits dropped
    EXPECT_EQ(im.rxCode(7), 0x3FF);
    im.channel(7).setScanL(true);
    im.channel(7).setScanS(true);
    EXPECT_EQ(im.flags(7), 0xC2);
}

TEST(DefaultImages, ExactBytesAndOwnType) {
    const std::uint8_t b223[] = {0x21, 0x01, 0x01, 0x21, 0x01, 0x01};
    const std::uint8_t b228[] = {0x01, 0x01, 0x01, 0x02, 0x02, 0x02};
    const std::uint8_t b250[] = {0x9B, 0xBB, 0xBB, 0x9A, 0xBA, 0xBA};
    const std::uint8_t b255[] = {0x03, 0x03, 0x0B, 0x03, 0x03, 0x0B};
    const std::uint8_t crc[] = {0xB6, 0xD6, 0xD6, 0xB5, 0xD5, 0xD5};
    for (int t = 0; t < kRadioTypeCount; ++t) {
        Image im;
        LoadDefault(t, im);
        EXPECT_EQ(RsType(im), t);
        EXPECT_EQ(im[223], b223[t]);
        EXPECT_EQ(im[228], b228[t]);
        EXPECT_EQ(im[250], b250[t]); // kept as shipped, not the checksum
        EXPECT_EQ(im[255], b255[t]);
        EXPECT_EQ(CalcCRC(im), crc[t]);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(im[i], 0) << i;
        for (int ch = 1; ch <= 40; ++ch) {
            const int o = Image::recordOffset(ch);
            EXPECT_EQ(im[o], 0x0C);
            EXPECT_EQ(im[o + 1], 0);
            EXPECT_EQ(im[o + 2], 0);
            EXPECT_EQ(im[o + 3], 0);
            EXPECT_EQ(im[o + 4], 0x02);
        }
        const std::vector<std::pair<int, int>> fixed = {
            {216, 0x00}, {217, 0x27}, {218, 0x00}, {219, 0x27}, {220, 0x24}, {221, 0x4A},
            {222, 0x06}, {224, 0x0A}, {225, 0x28}, {226, 0},    {227, 0},    {229, 0},
            {230, 0x4B}, {231, 0xFF}, {232, 0x1F}, {246, 0x10}, {249, 0xFF}, {251, 0},
            {252, 0},    {253, 0},    {254, 0}};
        for (auto [i, v] : fixed)
            EXPECT_EQ(im[i], v) << "byte " << i << " type " << t;
        for (int i = 233; i <= 245; ++i)
            EXPECT_EQ(im[i], 0) << i;
    }
}

TEST(DefaultImages, TypeOutsideRangeLeavesImage) {
    Image im;
    im[5] = 0x77;
    LoadDefault(6, im);
    LoadDefault(-1, im);
    EXPECT_EQ(im[5], 0x77);
}

TEST(OperatingMode, OnlyOneExactArgumentCounts) {
    auto mode = [](std::vector<const char*> args) {
        args.insert(args.begin(), "ksv717n");
        return modeFromArgs(static_cast<int>(args.size()), args.data());
    };
    EXPECT_EQ(mode({}), omUser);
    EXPECT_EQ(mode({"/kvrt"}), omService);
    EXPECT_EQ(mode({"/plmz"}), omMidBand);
    EXPECT_EQ(mode({"/KVRT"}), omUser);
    EXPECT_EQ(mode({"/kvrt "}), omUser);
    EXPECT_EQ(mode({"kvrt"}), omUser);
    EXPECT_EQ(mode({"/kvrt", "/plmz"}), omUser);
    EXPECT_EQ(mode({"/kvrt", "x"}), omUser);
    EXPECT_EQ(mode({"/plmz", "/plmz"}), omUser);
}
