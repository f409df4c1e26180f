// Everything the program makes of a settings image, reduced to one digest per
// output: the window's store after a show, the window-free store, the cards
// from the window and from the image, the command line's report, JSON, CSV
// and field comparison. The constants were recorded on the code before the
// meaning of the setting bytes moved into one table; any change in what the
// program shows or stores for some image changes a digest.

#include "form_fixture.h"
#include "formats/channel_csv.h"
#include "formats/image_diff.h"
#include "formats/image_report.h"
#include "image/normalise.h"
#include "print/card_from_image.h"
#include "ui/main/commands.h"

#include <random>

namespace ksv::test {
namespace {

// FNV-1a over everything fed in, with a separator after each piece.
struct Digest {
    std::uint64_t h = 14695981039346656037ull;
    void add(const std::string& s) {
        for (unsigned char c : s + '\x1f')
            h = (h ^ c) * 1099511628211ull;
    }
    void add(const QString& s) { add(s.toStdString()); }
    void add(const Image& im) { add(std::string(im.data(), im.data() + kImageSize)); }
};

void addCard(Digest& d, const print::CardData& c) {
    for (const auto& ch : c.channels)
        for (const QString* s :
             {&ch.rx, &ch.tx, &ch.rxSub, &ch.txSub, &ch.prohibit, &ch.scanS, &ch.scanL})
            d.add(*s);
    for (const QString* s :
         {&c.fileField, &c.shpListen, &c.txLimit, &c.subtoneCancel, &c.powerLevels,
          &c.group1FirstText, &c.group1LastText, &c.group2FirstText, &c.group2LastText,
          &c.resumeDelay, &c.carrierTime, &c.priorityChannel, &c.priorityPeriod, &c.toneDuration,
          &c.audioHold, &c.factoryNumber, &c.firmware, &c.scrambler})
        d.add(*s);
    std::string n;
    for (int v : {c.group1First, c.group1Last, c.group2First, c.group2Last, c.scanTransmit,
                  int(c.priorityScan), int(c.tones), int(c.standby), c.rxToneHz, int(c.midBand)})
        n += std::to_string(v) + ',';
    for (int k = 0; k < print::kCardTones; ++k)
        n += std::to_string(c.toneShown[k]) + ':' + std::to_string(c.toneHz[k]) + ',';
    d.add(n);
}

// A random image of the given type; some images are steered into the values
// the lists can show, where most real images live.
Image randomImage(std::mt19937& rng, int round, int type) {
    Image im;
    for (auto& b : im.bytes())
        b = static_cast<std::uint8_t>(rng());
    if (round % 4 == 0)
        im[249] = kPriorityOff;
    if (round % 3 == 0) {
        im[216] = static_cast<std::uint8_t>(rng() % 40);
        im[217] = static_cast<std::uint8_t>(im[216] + rng() % (40 - im[216]));
        im[220] = static_cast<std::uint8_t>(rng() % 37);
        im[221] = static_cast<std::uint8_t>(0x11 * (1 + rng() % 15));
        im[224] = static_cast<std::uint8_t>(10 + rng() % 41);
        im[225] = static_cast<std::uint8_t>(5 * (1 + rng() % 10));
        im[0] = static_cast<std::uint8_t>(8 * (1 + rng() % 20));
        im[231] = static_cast<std::uint8_t>(rng() % 251);
    }
    if (round % 5 == 0)
        im[7] = im[8] = 0;
    im[228] = static_cast<std::uint8_t>((im[228] & 0xF0) | (type < 3 ? 1 : 2));
    im.set(map::PowerSet, type % 3 == 0);
    im.set(map::Repeater, type % 3 == 2);
    return im;
}

struct Digests {
    Digest windowStore, windowCard, store, imageCard, report, json, csv, diff;
};

} // namespace

TEST_F(FormTest, EveryOutputOfAThousandImagesIsAsRecorded) {
    Digests d;
    for (OperatingMode mode : {omUser, omService, omMidBand}) {
        make(mode);
        std::mt19937 rng(16);
        for (int round = 0; round < 1000; ++round) {
            for (int type = 0; type < kRadioTypeCount; ++type) {
                const Image im = randomImage(rng, round, type);
                form->showImage(im);
                form->commitEdits();
                d.windowStore.add(image());
                d.windowStore.add(messages.texts().join('|'));
                messages.clear();
                print::CardData fromWindow = commands::cardToPrint(*form);
                fromWindow.date.clear();
                addCard(d.windowCard, fromWindow);
                const Image stored = normaliseImage(im, mode);
                d.store.add(stored);
                print::CardData card = print::cardFromImage(im, mode, QStringLiteral("x.ust"));
                card.date.clear();
                addCard(d.imageCard, card);
                if (mode != omUser)
                    continue;
                d.report.add(formats::imageReport(im, "x.ust"));
                d.json.add(formats::imageJson(im));
                d.csv.add(formats::exportChannelsCsv(im));
                for (const auto& change : formats::compareImages(im, stored))
                    d.diff.add(formats::formatChange(change));
            }
        }
        form.reset();
    }
    EXPECT_EQ(d.windowStore.h, 7994576890774678026ull) << "window store";
    // Re-recorded when the window's card came to be composed from its image:
    // the earlier digest held what hidden controls still showed (a tone field
    // visible after a store erased its tone, the values of switched-off tone
    // and standby fields, the blank scrambler list of a stored repeater).
    EXPECT_EQ(d.windowCard.h, 8747530339139647044ull) << "card from the window";
    EXPECT_EQ(d.store.h, 12576461209509583133ull) << "window-free store";
    EXPECT_EQ(d.imageCard.h, 16984934804441429128ull) << "card from the image";
    EXPECT_EQ(d.report.h, 17303776969852868176ull) << "show";
    EXPECT_EQ(d.json.h, 2849721229595947573ull) << "show --json";
    EXPECT_EQ(d.csv.h, 6936949049612924569ull) << "export-csv";
    EXPECT_EQ(d.diff.h, 17388393355025092047ull) << "diff";
}

} // namespace ksv::test
