#include "image/settings.h"

#include <gtest/gtest.h>

using namespace ksv;

TEST(Settings, TableIsInIdOrderAndEveryBitBelongsToOneList) {
    std::array<std::uint8_t, kImageSize> seen{};
    for (std::size_t i = 0; i < listSettings().size(); ++i) {
        const ListSetting& s = listSettings()[i];
        EXPECT_EQ(static_cast<std::size_t>(s.id), i) << s.key;
        for (const FieldBits& b : s.bits) {
            EXPECT_EQ(seen[b.offset] & b.mask, 0) << s.key << " byte " << b.offset;
            seen[b.offset] |= b.mask;
        }
    }
}

// Item count, first and last item, and the field value of each end.
TEST(Settings, ItemsAndTheirCodes) {
    struct Case {
        SettingId id;
        RadioType type;
        std::size_t count;
        SettingItem first, last;
    };
    const Case cases[] = {
        {SettingId::ShpListen, rtVehicleVhf, 2, {1, "Нет"}, {0, "Да"}},
        {SettingId::TxLimit, rtVehicleVhf, 37, {0, "Не ограничено"}, {36, "180"}},
        {SettingId::PowerLevels,
         rtStationaryVhf,
         2,
         {1, "5-10-20 (Возимая)"},
         {0, "5-20-40 (Стационарная)"}},
        {SettingId::PowerLevels,
         rtVehicleUhf,
         2,
         {1, "5-10-20 (Возимая)"},
         {0, "5-20-30 (Стационарная)"}},
        {SettingId::Group2Last, rtVehicleVhf, 40, {0, "1"}, {39, "40"}},
        {SettingId::CarrierTime, rtVehicleVhf, 41, {10, "100"}, {50, "500"}},
        {SettingId::ScanTransmit, rtVehicleVhf, 4, {0, "Вариант 4"}, {3, "Вариант 3"}},
        {SettingId::PriorityPeriod, rtVehicleVhf, 10, {5, "0,5"}, {50, "5,0"}},
        {SettingId::ToneDuration, rtVehicleVhf, 20, {8, "1"}, {160, "20"}},
        {SettingId::AudioHold, rtVehicleVhf, 15, {1, "1"}, {15, "15"}},
        {SettingId::Scrambler, rtVehicleUhf, 2, {0, "Отсутствует"}, {1, "09ЛС400-07В"}},
        {SettingId::Scrambler, rtRepeaterVhf, 1, {0, "Отсутствует"}, {0, "Отсутствует"}},
    };
    for (const Case& c : cases) {
        const auto items = setting(c.id).items(c.type);
        SCOPED_TRACE(setting(c.id).key);
        ASSERT_EQ(items.size(), c.count);
        EXPECT_EQ(items.front().code, c.first.code);
        EXPECT_EQ(items.front().text, c.first.text);
        EXPECT_EQ(items.back().code, c.last.code);
        EXPECT_EQ(items.back().text, c.last.text);
    }
}

// What a list shows for a byte, and what storing that item writes back.
TEST(Settings, ShowAndStoreKeepTheOtherBits) {
    struct Case {
        SettingId id;
        int offset;
        std::uint8_t before;
        int shown;
        std::uint8_t after;
    };
    const Case cases[] = {
        {SettingId::PriorityPeriod, 225, 12, 1, 10},   // between items: the lower one
        {SettingId::PriorityPeriod, 225, 3, -1, 3},    // below the first: none, kept
        {SettingId::PriorityPeriod, 225, 55, -1, 55},  // beyond the last
        {SettingId::ResumeDelay, 221, 0x3A, 2, 0x3A},  // high nibble, low one kept
        {SettingId::AudioHold, 221, 0x30, -1, 0x30},   // nibble 0 shows nothing
        {SettingId::ShpListen, 222, 0xFF, 0, 0xFF},    // bit 5 set: "Нет"
        {SettingId::ShpListen, 222, 0x00, 1, 0x00},    // clear: "Да"
        {SettingId::ScanTransmit, 223, 0xF6, 2, 0xF6}, // bits 0-1 only
        {SettingId::ToneDuration, 0, 23, 1, 16},       {SettingId::TxLimit, 220, 37, -1, 37},
    };
    for (const Case& c : cases) {
        const ListSetting& s = setting(c.id);
        SCOPED_TRACE(std::string(s.key) + " byte " + std::to_string(c.before));
        Image im;
        im[228] = 1;
        im[c.offset] = c.before;
        EXPECT_EQ(s.shownIndex(im), c.shown);
        s.keepShown(im);
        EXPECT_EQ(im[c.offset], c.after);
    }
}

TEST(Settings, ToneCountStandbyAndPriority) {
    Image im;
    EXPECT_FALSE(toneSignallingOn(im));
    im.setToneWord(1, 0x1234);
    im.setToneWord(2, 0x1234);
    im.setToneWord(4, 0x1234); // tone 3 absent: two tones, tone 4 still shown
    EXPECT_EQ(setting(SettingId::ToneCount).shownIndex(im), 1);
    EXPECT_FALSE(toneShown(im, 3));
    EXPECT_TRUE(toneShown(im, 4));
    setting(SettingId::ToneCount).store(im, 1);
    EXPECT_EQ(im.toneWord(4), 0);

    storeStandbyTone(im, 1455); // byte 231 holds 1450 Hz
    EXPECT_TRUE(standbyOn(im));
    EXPECT_EQ(standbyToneHz(im), 1450);
    storeStandbyOff(im);
    im[231] = 95; // the "off" pattern in bytes 11 to 14 alone turns it off
    EXPECT_FALSE(standbyOn(im));

    im[249] = 39;
    EXPECT_TRUE(priorityScanOn(im));
    im[249] = kPriorityOff;
    EXPECT_FALSE(priorityScanOn(im));
}
