// The card printed from the window must equal the card the command line
// composes from the same image: both read the same settings, one through the
// controls, the other through the codecs.

#include "form_fixture.h"
#include "image/checksum.h"
#include "image/defaults.h"
#include "print/card_from_image.h"
#include "ui/main/commands.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QTabWidget>
#include <random>

namespace ksv::test {
namespace {

void expectSameCard(const print::CardData& w, const print::CardData& i, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(w.fileField.toStdString(), i.fileField.toStdString()) << "fileField";
    for (int n = 0; n < print::kCardChannels; ++n) {
        SCOPED_TRACE("channel " + std::to_string(n + 1));
        EXPECT_EQ(w.channels[n].rx.toStdString(), i.channels[n].rx.toStdString()) << "rx";
        EXPECT_EQ(w.channels[n].tx.toStdString(), i.channels[n].tx.toStdString()) << "tx";
        EXPECT_EQ(w.channels[n].rxSub.toStdString(), i.channels[n].rxSub.toStdString()) << "rxSub";
        EXPECT_EQ(w.channels[n].txSub.toStdString(), i.channels[n].txSub.toStdString()) << "txSub";
        EXPECT_EQ(w.channels[n].prohibit.toStdString(), i.channels[n].prohibit.toStdString())
            << "prohibit";
        EXPECT_EQ(w.channels[n].scanS.toStdString(), i.channels[n].scanS.toStdString()) << "scanS";
        // Without priority scanning the window keeps L marks shown while the
        // box was already unticked; a fresh window would have cleared them.
        if (w.priorityScan) {
            EXPECT_EQ(w.channels[n].scanL.toStdString(), i.channels[n].scanL.toStdString())
                << "scanL";
        }
    }
    EXPECT_EQ(w.group1First, i.group1First);
    EXPECT_EQ(w.group1Last, i.group1Last);
    EXPECT_EQ(w.group2First, i.group2First);
    EXPECT_EQ(w.group2Last, i.group2Last);
    EXPECT_EQ(w.group1FirstText.toStdString(), i.group1FirstText.toStdString())
        << "group1FirstText";
    EXPECT_EQ(w.group1LastText.toStdString(), i.group1LastText.toStdString()) << "group1LastText";
    EXPECT_EQ(w.group2FirstText.toStdString(), i.group2FirstText.toStdString())
        << "group2FirstText";
    EXPECT_EQ(w.group2LastText.toStdString(), i.group2LastText.toStdString()) << "group2LastText";
    EXPECT_EQ(w.shpListen.toStdString(), i.shpListen.toStdString()) << "shpListen";
    EXPECT_EQ(w.txLimit.toStdString(), i.txLimit.toStdString()) << "txLimit";
    EXPECT_EQ(w.subtoneCancel.toStdString(), i.subtoneCancel.toStdString()) << "subtoneCancel";
    EXPECT_EQ(w.powerLevels.toStdString(), i.powerLevels.toStdString()) << "powerLevels";
    EXPECT_EQ(w.resumeDelay.toStdString(), i.resumeDelay.toStdString()) << "resumeDelay";
    EXPECT_EQ(w.carrierTime.toStdString(), i.carrierTime.toStdString()) << "carrierTime";
    EXPECT_EQ(w.scanTransmit, i.scanTransmit);
    EXPECT_EQ(w.priorityScan, i.priorityScan);
    EXPECT_EQ(w.priorityChannel.toStdString(), i.priorityChannel.toStdString())
        << "priorityChannel";
    EXPECT_EQ(w.priorityPeriod.toStdString(), i.priorityPeriod.toStdString()) << "priorityPeriod";
    EXPECT_EQ(w.tones, i.tones);
    // The tone table and the standby lines are printed only while their
    // boxes are ticked; the hidden fields keep older values in the window.
    if (w.tones) {
        EXPECT_EQ(w.toneShown, i.toneShown);
        for (int k = 0; k < print::kCardTones; ++k) {
            if (w.toneShown[k]) {
                EXPECT_EQ(w.toneHz[k], i.toneHz[k]) << "tone " << k + 1;
            }
        }
        EXPECT_EQ(w.toneDuration.toStdString(), i.toneDuration.toStdString()) << "toneDuration";
    }
    EXPECT_EQ(w.standby, i.standby);
    if (w.standby) {
        EXPECT_EQ(w.rxToneHz, i.rxToneHz);
        EXPECT_EQ(w.audioHold.toStdString(), i.audioHold.toStdString()) << "audioHold";
    }
    EXPECT_EQ(w.factoryNumber.toStdString(), i.factoryNumber.toStdString()) << "factoryNumber";
    EXPECT_EQ(w.firmware.toStdString(), i.firmware.toStdString()) << "firmware";
    EXPECT_EQ(w.scrambler.toStdString(), i.scrambler.toStdString()) << "scrambler";
    EXPECT_EQ(w.midBand, i.midBand);
}

// A plausible image: every field inside the range the window can show.
Image plausibleImage(std::mt19937& rng, int type) {
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Image im;
    LoadDefault(type, im);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        im.setRxCode(ch, pick(12, 52));
        const int tx = pick(0, 3) == 0 ? 0 : pick(12, 52);
        im.setTxCode(ch, tx);
        im.setRxSubtone(ch, pick(0, 50));
        im.setTxSubtone(ch, pick(0, 50));
        im.channel(ch).setTxOff(tx == 0);
        im.channel(ch).setProhibited(pick(0, 1));
        im.channel(ch).setScanS(pick(0, 1));
        im.channel(ch).setScanL(pick(0, 1));
    }
    const int g1 = pick(0, 39), g2 = pick(0, 39);
    im[216] = static_cast<std::uint8_t>(g1);
    im[217] = static_cast<std::uint8_t>(pick(g1, 39));
    im[218] = static_cast<std::uint8_t>(g2);
    im[219] = static_cast<std::uint8_t>(pick(g2, 39));
    im[220] = static_cast<std::uint8_t>(pick(0, 36));
    im[221] = static_cast<std::uint8_t>(pick(1, 15) << 4 | pick(1, 15));
    im.set(map::NoShpListen, pick(0, 1));
    im[223] = static_cast<std::uint8_t>((im[223] & ~0x0B) | pick(0, 3) | (pick(0, 1) << 3));
    im[224] = static_cast<std::uint8_t>(pick(10, 50));
    im[225] = static_cast<std::uint8_t>(5 * pick(1, 10));
    im[249] = pick(0, 1) ? static_cast<std::uint8_t>(pick(0, 39)) : kPriorityOff;
    if (pick(0, 1)) {
        im[0] = static_cast<std::uint8_t>(8 * pick(1, 20));
        const int count = pick(1, 5);
        for (int k = 1; k <= count; ++k)
            im.setToneWord(k, toneEncode(10 * pick(50, 300)));
    }
    if (pick(0, 1))
        im[231] = static_cast<std::uint8_t>(pick(0, 250));
    return im;
}

} // namespace

TEST_F(FormTest, PrintedCardEqualsCardFromImage) {
    std::mt19937 rng(1234);
    for (OperatingMode mode : {omUser, omService}) {
        for (int type = 0; type < kRadioTypeCount; ++type) {
            start(mode, type);
            expectSameCard(commands::cardToPrint(*form),
                           print::cardFromImage(image(), mode, QString()),
                           "start-up, type " + std::to_string(type));
            for (int round = 0; round < 5; ++round) {
                form->showImage(plausibleImage(rng, type));
                expectSameCard(commands::cardToPrint(*form),
                               print::cardFromImage(image(), mode, QString()),
                               "random image, type " + std::to_string(type));
            }
        }
    }
}

} // namespace ksv::test

namespace ksv::test {

// The tone fields are not on screen while another page is open; the card
// still prints the tones they hold.
TEST_F(FormTest, ToneTablePrintsWhileAnotherPageIsOpen) {
    start(omUser, rtVehicleVhf);
    c().toneSignalling->setChecked(true); // two tones, 2100 and 1450 Hz
    ASSERT_EQ(form->pages()->currentIndex(), 0);
    ASSERT_FALSE(c().toneSpin[0]->isVisible());
    const print::CardData card = commands::cardToPrint(*form);
    EXPECT_EQ(card.toneShown, (std::array<bool, 5>{true, true, false, false, false}));
    EXPECT_EQ(card.toneHz[0], 2100);
    EXPECT_EQ(card.toneHz[1], 1450);
}

} // namespace ksv::test
