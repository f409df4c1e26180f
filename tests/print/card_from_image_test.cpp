// A card made from a settings image alone shows what a freshly created main
// window would show for it.

#include "image/codecs.h"
#include "image/defaults.h"
#include "print/card_from_image.h"

#include <gtest/gtest.h>

using namespace ksv;
using namespace ksv::print;

TEST(CardFromImage, DefaultVehicleSet) {
    const CardData d = cardFromImage(defaultImage(rtVehicleVhf), omUser, "/data/car.ust");
    EXPECT_EQ(d.fileField, "Файл: /data/car.ust");
    EXPECT_FALSE(d.date.isEmpty());
    EXPECT_EQ(d.group1First, 0);
    EXPECT_EQ(d.group1Last, 39);
    EXPECT_EQ(d.group1LastText, "40");
    EXPECT_EQ(d.channels[0].rx, "148000");
    EXPECT_EQ(d.channels[0].tx, "Откл");
    EXPECT_EQ(d.channels[0].rxSub, "Откл");
    EXPECT_EQ(d.channels[0].prohibit, "");
    EXPECT_EQ(d.txLimit, "180");
    EXPECT_EQ(d.resumeDelay, "4");
    EXPECT_EQ(d.audioHold, "10");
    EXPECT_EQ(d.shpListen, "Да");
    EXPECT_EQ(d.subtoneCancel, "Нет");
    EXPECT_EQ(d.powerLevels, "5-10-20 (Возимая)");
    EXPECT_EQ(d.carrierTime, "100");
    EXPECT_EQ(d.priorityPeriod, "4,0");
    EXPECT_EQ(d.scanTransmit, 1);
    EXPECT_FALSE(d.priorityScan);
    EXPECT_FALSE(d.tones);
    EXPECT_FALSE(d.standby);
    EXPECT_EQ(d.factoryNumber, "000000");
    EXPECT_EQ(d.scrambler, "Отсутствует");
    EXPECT_FALSE(d.midBand);

    EXPECT_EQ(cardFromImage(defaultImage(rtStationaryUhf), omMidBand, "").fileField, "Файл: ");
    EXPECT_EQ(cardFromImage(defaultImage(rtStationaryUhf), omMidBand, "").powerLevels,
              "5-20-30 (Стационарная)");
    EXPECT_TRUE(cardFromImage(defaultImage(rtStationaryUhf), omMidBand, "").midBand);
}

TEST(CardFromImage, ValuesOutsideTheListsShowNoText) {
    Image im = defaultImage(rtRepeaterVhf);
    im.set(map::Group2Last, 45);
    im.set(map::TxLimit, 37);
    im[map::ResumeDelay.offset()] = 0x00;
    im.set(map::CarrierTime, 9);
    im.set(map::PriorityPeriod, 4);
    im.set(map::Scrambler, true); // a repeater has no scrambler entry
    const CardData d = cardFromImage(im, omUser, "");
    EXPECT_EQ(d.group2Last, 45);
    EXPECT_EQ(d.group2LastText, "");
    EXPECT_EQ(d.txLimit, "");
    EXPECT_EQ(d.resumeDelay, "");
    EXPECT_EQ(d.audioHold, "");
    EXPECT_EQ(d.carrierTime, "");
    EXPECT_EQ(d.priorityPeriod, "");
    EXPECT_EQ(d.scrambler, "");

    im.set(map::TxLimit, 0);
    im.set(map::PriorityPeriod, 12); // truncate(12 / 5) - 1 = 1
    EXPECT_EQ(cardFromImage(im, omUser, "").txLimit, "Не ограничено");
    EXPECT_EQ(cardFromImage(im, omUser, "").priorityPeriod, "1,0");
}

TEST(CardFromImage, TonesStandbyAndPriority) {
    Image im = defaultImage(rtVehicleVhf);
    im.set(map::ToneDuration, 3 << 3);
    im.setToneWord(1, toneEncode(2100));
    im.setToneWord(2, toneEncode(1450));
    im.setToneWord(4, toneEncode(1000)); // tone 3 absent, tone 4 present
    im.set(map::RxTone, 1450);
    const auto coeff = detectorCoefficients(1450);
    for (int i = 0; i < 5; ++i)
        im[11 + i] = coeff[i];
    im[map::ResumeDelay.offset()] = 0x4A;
    im.set(map::PriorityChannel, 5);
    im.channel(7).setScanL(true);

    CardData d = cardFromImage(im, omUser, "");
    EXPECT_TRUE(d.tones);
    EXPECT_EQ(d.toneShown, (std::array<bool, 5>{true, true, false, true, false}));
    EXPECT_EQ(d.toneHz[0], 2100);
    EXPECT_EQ(d.toneHz[1], 1450);
    EXPECT_EQ(d.toneHz[2], 500); // an empty word decodes below the spin edit's limit
    EXPECT_EQ(d.toneDuration, "3");
    EXPECT_TRUE(d.standby);
    EXPECT_EQ(d.rxToneHz, 1450);
    EXPECT_EQ(d.audioHold, "10");
    EXPECT_TRUE(d.priorityScan);
    EXPECT_EQ(d.priorityChannel, "5");
    EXPECT_EQ(d.channels[6].scanL, "L");

    // Standby reception counts as off when the detector holds its off values,
    // whatever byte 231 says; without priority scanning the L marks go.
    for (int i = 0; i < 5; ++i)
        im[11 + i] = kDetectorOff[i];
    im.set(map::PriorityChannel, std::nullopt);
    d = cardFromImage(im, omUser, "");
    EXPECT_FALSE(d.standby);
    EXPECT_FALSE(d.priorityScan);
    EXPECT_EQ(d.channels[6].scanL, "");
}
