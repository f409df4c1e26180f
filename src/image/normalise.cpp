#include "image/normalise.h"

#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "image/settings.h"

#include <algorithm>

namespace ksv {
namespace {

void storeGroup(Image& im, SettingId firstList, SettingId lastList, int group) {
    const int a = setting(firstList).shownIndex(im);
    const int b = setting(lastList).shownIndex(im);
    // A last channel before the first one is refused and leaves the group as
    // it was; a list without a selection leaves only its own byte.
    if (a >= 0 && b >= 0 && b < a)
        return;
    if (a >= 0)
        im.setGroupCopy(group, static_cast<std::uint8_t>(a));
}

void storeToneSignalling(Image& im) {
    if (!toneSignallingOn(im)) {
        storeTones(im, 0, {});
        return;
    }
    const ListSetting& count = setting(SettingId::ToneCount);
    setting(SettingId::ToneDuration).keepShown(im);
    std::array<int, 5> hz{};
    for (int k = 1; k <= 5; ++k)
        hz[k - 1] = toneSpinHz(im, k);
    storeTones(im, count.get(im), hz);
}

void storeStandby(Image& im) {
    if (standbyOn(im))
        storeStandbyTone(im, standbyToneHz(im));
    else
        storeStandbyOff(im);
}

// The channel records as every store leaves them.
void normaliseChannels(Image& im, OperatingMode mode) {
    const RadioType type = RsType(im);
    const RangeTable ranges = DiapTxt(type, mode).ranges;
    // A frequency goes through the table's text and back, which in mid-band
    // mode brings it into the allowed range.
    const auto stored = [&](int code) {
        return TxtFrq(FrqTxt(code, type), type, mode, ranges).code;
    };
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        im.setRxCode(ch, stored(im.rxCode(ch)));
        im.setTxCode(ch, stored(im.txCode(ch)));
        const ChannelView v = im.channel(ch);
        v.setTxOff(v.txCode() == 0);
    }
}

} // namespace

void finishStore(Image& im, OperatingMode mode) {
    normaliseChannels(im, mode);
    im.setStoredBit(true);
    storeChecksum(im);
}

Image normaliseImage(const Image& image, OperatingMode mode) {
    Image im = image;
    // A scrambler list without a selection (a repeater's has no second item)
    // stores "Отсутствует".
    const ListSetting& scrambler = setting(SettingId::Scrambler);
    scrambler.store(im, std::max(scrambler.shownIndex(im), 0));
    // A freshly created window has priority scanning ticked; showing an image
    // without a priority channel unticks it, which empties the L column.
    if (!priorityScanOn(im))
        for (int ch = 1; ch <= kChannelCount; ++ch)
            im.channel(ch).setScanL(false);
    storeGroup(im, SettingId::Group1First, SettingId::Group1Last, 1);
    storeGroup(im, SettingId::Group2First, SettingId::Group2Last, 2);
    // Lists that show every value they can as the code they store.
    for (SettingId id : independentLists())
        setting(id).keepShown(im);
    storeToneSignalling(im);
    storeStandby(im);
    finishStore(im, mode);
    return im;
}

Image startupImage(int type, OperatingMode mode) {
    Image im;
    LoadDefault(type >= 0 && type < kRadioTypeCount ? type : 0, im);
    return normaliseImage(im, mode);
}

} // namespace ksv
