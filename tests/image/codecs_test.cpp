#include "image/codecs.h"
#include "image/defaults.h"

#include <gtest/gtest.h>

using namespace ksv;

namespace {
RangeTable ranges(RadioType t, OperatingMode m) {
    return DiapTxt(t, m).ranges;
}
} // namespace

TEST(Frequency, TextOfCodes) {
    EXPECT_EQ(FrqTxt(0, rtVehicleVhf), "Откл");
    EXPECT_EQ(FrqTxt(0, rtRepeaterUhf), "Откл");
    EXPECT_EQ(FrqTxt(1, rtVehicleVhf), "147725");
    EXPECT_EQ(FrqTxt(12, rtVehicleUhf), "450000");
    EXPECT_EQ(FrqTxt(1012, rtStationaryVhf), "173000");
    EXPECT_EQ(FrqTxt(812, rtStationaryUhf), "470000");
}

TEST(Frequency, EveryCodeRoundTripsInEveryType) {
    for (int t = 0; t < kRadioTypeCount; ++t) {
        const auto type = static_cast<RadioType>(t);
        const RangeTable r = ranges(type, omUser);
        for (int code = 0; code <= kMaxFrqCode; ++code) {
            const FrqCode back = TxtFrq(FrqTxt(code, type), type, omUser, r);
            ASSERT_EQ(back.code, code) << "type " << t;
            ASSERT_FALSE(back.error);
        }
    }
}

TEST(Frequency, TextToCodeTruncatesAndReports) {
    const RangeTable r = ranges(rtVehicleVhf, omUser);
    EXPECT_EQ(TxtFrq("148010", rtVehicleVhf, omUser, r).code, 12);
    EXPECT_EQ(TxtFrq("Откл", rtVehicleVhf, omUser, r).code, 0);
    EXPECT_EQ(TxtFrq("147690", rtVehicleVhf, omUser, r).code, 0); // -10 / 25 truncates to 0
    EXPECT_EQ(TxtFrq("147650", rtVehicleVhf, omUser, r).code, -2);

    const FrqCode bad = TxtFrq("14a000", rtVehicleVhf, omUser, r);
    EXPECT_EQ(bad.code, 0);
    ASSERT_TRUE(bad.error);
    EXPECT_EQ(*bad.error, "EConvertError14a000'14a000' is not a valid integer value");
    EXPECT_TRUE(TxtFrq("", rtVehicleVhf, omUser, r).error);
}

TEST(Frequency, MidBandClampsIntoTheFirstRange) {
    for (auto type : {rtVehicleVhf, rtVehicleUhf}) {
        const RangeTable r = ranges(type, omMidBand);
        const int lo = (r.ranges[0].min - frequencyBase(type)) / 25;
        const int hi = (r.ranges[0].max - frequencyBase(type)) / 25;
        EXPECT_EQ(TxtFrq("Откл", type, omMidBand, r).code, 0);
        EXPECT_EQ(TxtFrq("garbage", type, omMidBand, r).code, lo);
        EXPECT_EQ(TxtFrq("100000", type, omMidBand, r).code, lo);
        EXPECT_EQ(TxtFrq("999999", type, omMidBand, r).code, hi);
    }
    const RangeTable v = ranges(rtVehicleVhf, omMidBand);
    EXPECT_EQ(TxtFrq("148000", rtVehicleVhf, omMidBand, v).code, 53);
    EXPECT_EQ(FrqTxt(53, rtVehicleVhf), "149025");
    const RangeTable u = ranges(rtVehicleUhf, omMidBand);
    EXPECT_EQ(FrqTxt(TxtFrq("450000", rtVehicleUhf, omMidBand, u).code, rtVehicleUhf), "453025");
    // Other modes never clamp.
    EXPECT_EQ(TxtFrq("148000", rtVehicleVhf, omUser, ranges(rtVehicleVhf, omUser)).code, 12);
}

TEST(Frequency, Validation) {
    const RangeTable r = ranges(rtVehicleVhf, omUser);
    EXPECT_TRUE(TestFrq("148025", r).ok);
    EXPECT_TRUE(TestFrq("148000", r).ok);
    EXPECT_TRUE(TestFrq("173000", r).ok);
    EXPECT_EQ(TestFrq("149025", r).message, kMsgOutOfRange);
    EXPECT_EQ(TestFrq("148010", r).message, kMsgNot25);
    EXPECT_EQ(TestFrq("14800", r).message, kMsgOutOfRange);
    EXPECT_EQ(TestFrq("1480000", r).message, kMsgOutOfRange);
    const FrqCheck silent = TestFrq("14800x", r);
    EXPECT_FALSE(silent.ok);
    EXPECT_TRUE(silent.message.empty());
    EXPECT_FALSE(TestFrq("000000", r).ok);

    EXPECT_TRUE(TestFrq("160000", ranges(rtVehicleVhf, omService)).ok);
    EXPECT_FALSE(TestFrq("160000", r).ok);
    EXPECT_TRUE(TestFrq("465000", ranges(rtRepeaterUhf, omService)).ok);
    EXPECT_FALSE(TestFrq("453000", ranges(rtRepeaterUhf, omMidBand)).ok);
}

TEST(Ranges, TextsListsAndTabs) {
    Diap d = DiapTxt(rtVehicleVhf, omUser);
    EXPECT_EQ(d.text, "Тарвен-52: 148000-149000, 171150-173000 кГц");
    EXPECT_EQ(d.scramblerItems, (std::vector<std::string>{"Отсутствует", "09ЛС400-07Б"}));
    EXPECT_EQ(d.toneTab, TabVisibility::Show);
    EXPECT_FALSE(d.hideScramblerBar);

    d = DiapTxt(rtStationaryUhf, omUser);
    EXPECT_EQ(d.text, "Тарвен-61: 450000-453000, 460000-463000 кГц");
    EXPECT_EQ(d.scramblerItems, (std::vector<std::string>{"Отсутствует", "09ЛС400-07В"}));
    EXPECT_EQ(d.toneTab, TabVisibility::Hide);

    d = DiapTxt(rtRepeaterVhf, omService);
    EXPECT_EQ(d.text, "Тарвен-53: 148000-173000 кГц");
    EXPECT_EQ(d.scramblerItems, (std::vector<std::string>{"Отсутствует"}));

    d = DiapTxt(rtRepeaterUhf, omMidBand);
    EXPECT_EQ(d.text, "Тарвен-63: 453025-459975 кГц");
    EXPECT_TRUE(d.hideScramblerBar);
    EXPECT_EQ(d.toneTab, TabVisibility::Unchanged);
    EXPECT_EQ(DiapTxt(rtVehicleVhf, omMidBand).text, "Тарвен-52: 149025-171125 кГц");
    EXPECT_EQ(DiapTxt(rtVehicleUhf, omService).text, "Тарвен-62: 450000-470000 кГц");
}

TEST(Subtone, TableAndRoundTrip) {
    EXPECT_EQ(SubTxt(0), "Откл");
    EXPECT_EQ(SubTxt(1), "67.0");
    EXPECT_EQ(SubTxt(50), "254.1");
    EXPECT_EQ(TxtSub("100.0"), 13);
    EXPECT_EQ(TxtSub("100"), 0);
    EXPECT_EQ(TxtSub("Откл"), 0);
    EXPECT_EQ(FindSubton("67.0", subtoneTable(), 49), 1);
    EXPECT_EQ(FindSubton("254.1", subtoneTable(), 48), 0);
    // Every 6-bit code survives text and back, the unnamed 51..63 included.
    for (int code = 0; code <= 63; ++code)
        EXPECT_EQ(TxtSub(SubTxt(code)), code) << code;
    EXPECT_EQ(TxtSub("#50"), 0);
    EXPECT_EQ(TxtSub("#64"), 0);
}

TEST(FactoryNumber, TextAndStore) {
    Image im = defaultImage(rtVehicleUhf);
    ZnToBuf(42, im);
    EXPECT_EQ(ZnTxt(im), "000042");
    ZnToBuf(999999, im);
    EXPECT_EQ(ZnTxt(im), "999999");
    EXPECT_EQ(im.band(), 2);
    ZnToBuf(1048575, im);
    EXPECT_EQ(ZnTxt(im), "1048575"); // seven digits stay whole
    ZnToBuf(0x1FFFFF, im);           // bit 20 dropped
    EXPECT_EQ(im.factoryNumber(), 0xFFFFFu);
}

TEST(FactoryNumber, EveryNumberRoundTripsAndKeepsTheBand) {
    for (std::uint8_t band : {0x01, 0x02, 0x0F}) {
        Image im;
        im[228] = band;
        for (std::uint32_t n = 0; n < (1u << 20); ++n) {
            ZnToBuf(n, im);
            ASSERT_EQ(im.factoryNumber(), n);
            ASSERT_EQ(im.band(), band);
        }
        ZnToBuf(123456, im);
        EXPECT_EQ(ZnTxt(im), "123456");
    }
}

TEST(Firmware, VersionText) {
    Image im;
    const std::pair<int, const char*> cases[] = {{11, "1.1"},   {0, "0.0"},    {210, "0.1"},
                                                 {255, "25.5"}, {209, "20.9"}, {211, "21.1"}};
    for (auto [v, text] : cases) {
        im[229] = static_cast<std::uint8_t>(v);
        EXPECT_EQ(VerTxt(im), text);
    }
}

TEST(ChannelMarks, Texts) {
    EXPECT_EQ(ZapTxt(0x01), "Запрет");
    EXPECT_EQ(ZapTxt(0xFE), "");
    EXPECT_EQ(STxt(0x80), "S");
    EXPECT_EQ(STxt(0x7F), "");
    EXPECT_EQ(LTxt(0x40), "L");
    EXPECT_EQ(LTxt(0xBF), "");
}

TEST(HexPair, UpperCaseDigitsOnly) {
    EXPECT_EQ(hexPair('0', 'C'), 0x0C);
    EXPECT_EQ(hexPair('F', 'F'), 0xFF);
    EXPECT_EQ(hexPair('5', 'A'), 0x5A);
    EXPECT_FALSE(hexPair('f', 'f'));
    EXPECT_FALSE(hexPair('G', '0'));
    EXPECT_FALSE(hexPair('1', ' '));
    EXPECT_FALSE(hexPair('1', '\0'));
    for (int v = 0; v < 256; ++v) {
        const std::string s = hexByte(static_cast<std::uint8_t>(v));
        EXPECT_EQ(hexPair(s[0], s[1]), v);
    }
}
