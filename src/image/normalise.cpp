#include "image/normalise.h"

#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"

#include <algorithm>

namespace ksv {
namespace {

// The index a "1" .. "40" channel list shows for a stored byte, or -1 when
// the list has no such item.
int channelIndex(std::uint8_t b) {
    return b < kChannelCount ? b : -1;
}

void storeChannels(Image& im, OperatingMode mode) {
    const RadioType type = RsType(im);
    const RangeTable ranges = DiapTxt(type, mode).ranges;
    const int base = frequencyBase(type);
    const auto clamp = [&](int code) {
        // The window clamps every frequency other than "Откл" in mid-band mode.
        if (mode != omMidBand || code == 0 || ranges.count == 0)
            return code;
        const int lo = (ranges.ranges[0].min - base) / kStep;
        const int hi = (ranges.ranges[0].max - base) / kStep;
        return std::clamp(code, lo, hi);
    };
    // A freshly created window has priority scanning ticked; showing an image
    // without a priority channel unticks it, which empties the L column.
    const bool clearL = im[off::PriorityChannel] == kPriorityOff;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        im.setRxCode(ch, clamp(im.rxCode(ch)));
        im.setTxCode(ch, clamp(im.txCode(ch)));
        im.setFlag(ch, bit::TxOff, im.txCode(ch) == 0);
        if (clearL)
            im.setFlag(ch, bit::ScanL, false);
    }
}

void storeGroup(Image& im, int first, int last, int copy) {
    const int a = channelIndex(im[first]);
    const int b = channelIndex(im[last]);
    // A last channel before the first one is refused and leaves the group as
    // it was; a list without a selection leaves only its own byte.
    if (a >= 0 && b >= 0 && b < a)
        return;
    if (a >= 0)
        im[copy] = static_cast<std::uint8_t>(a);
}

int shownTone(std::uint16_t word) {
    // A word without a frequency shows as the spin edit's upper limit.
    return std::clamp(toneDecode(word).value_or(kToneMax), kToneMin, kToneMax);
}

void storeTones(Image& im) {
    if (im[1] == 0 && im[2] == 0) {
        for (int i = 1; i <= 10; ++i)
            im[i] = 0;
        return;
    }
    // The number of tones is the count before the first absent one among
    // tones 2 to 5; the tones after it are erased.
    int count = 5;
    for (int k = 5; k >= 2; --k)
        if (im.toneWord(k) == 0)
            count = k - 1;
    const int seconds = im[off::ToneDuration] >> 3;
    if (seconds >= 1 && seconds <= 20)
        im[off::ToneDuration] = static_cast<std::uint8_t>(seconds * 8);
    for (int k = 1; k <= 5; ++k)
        im.setToneWord(k, k <= count ? toneEncode(shownTone(im.toneWord(k))) : 0);
}

void storeStandby(Image& im) {
    const bool off =
        im[off::RxTone] == kStandbyOff || (im[11] == kDetectorOff[0] && im[12] == kDetectorOff[1] &&
                                           im[13] == kDetectorOff[2] && im[14] == kDetectorOff[3]);
    if (off) {
        im[off::RxTone] = kStandbyOff;
        std::copy(kDetectorOff.begin(), kDetectorOff.end(), im.data() + off::Detector);
        return;
    }
    const int hz = std::min(im[off::RxTone] * 10 + kToneMin, kToneMax);
    im[off::RxTone] = static_cast<std::uint8_t>((hz - kToneMin) / 10);
    const auto c = detectorCoefficients(hz);
    std::copy(c.begin(), c.end(), im.data() + off::Detector);
}

} // namespace

Image normaliseImage(const Image& image, OperatingMode mode) {
    Image im = image;
    // The scrambler list of a repeater has no second item, so its bit is cleared.
    if (isRepeater(RsType(im)))
        clearBit(im[off::Options223], bit::Scrambler);
    storeChannels(im, mode);
    storeGroup(im, off::Group1First, off::Group1Last, off::Group1Copy);
    storeGroup(im, off::Group2First, off::Group2Last, off::Group2Copy);
    const int period = im[off::PriorityPeriod] / 5;
    if (period >= 1 && period <= 10)
        im[off::PriorityPeriod] = static_cast<std::uint8_t>(period * 5);
    storeTones(im);
    storeStandby(im);
    setBit(im[off::Model], bit::Stored);
    im[off::Checksum] = CalcCRC(im);
    return im;
}

Image startupImage(int type, OperatingMode mode) {
    Image im;
    LoadDefault(type >= 0 && type < kRadioTypeCount ? type : 0, im);
    return normaliseImage(im, mode);
}

} // namespace ksv
