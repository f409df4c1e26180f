#include "print/card_from_image.h"

#include "image/codecs.h"

#include <algorithm>
#include <optional>

namespace ksv::print {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Text of the item at index of a list "first", "first + step", ... with
// count items; empty when the index lies outside the list.
QString numberItem(int index, int first, int step, int count) {
    if (index < 0 || index >= count)
        return {};
    return QString::number(first + step * index);
}

// "0,5", "1,0" .. "5,0"
QString periodItem(int index) {
    if (index < 0 || index >= 10)
        return {};
    const int tenths = (index + 1) * 5;
    return QStringLiteral("%1,%2").arg(tenths / 10).arg(tenths % 10);
}

// A spin edit holds 500..3000 Hz; a tone word without a frequency shows 3000.
int spinValue(std::optional<int> hz) {
    return std::clamp(hz.value_or(kToneMax), kToneMin, kToneMax);
}

// Sheet 1: the channel table.
void fillChannels(CardData& d, const Image& image, RadioType type) {
    // A fresh window starts with priority scanning ticked; showing an image
    // without it unticks the box, which empties the L column.
    d.priorityScan = image[off::PriorityChannel] != kPriorityOff;
    for (int n = 1; n <= kCardChannels; ++n) {
        ChannelCells& c = d.channels[n - 1];
        c.rx = text(FrqTxt(image.rxCode(n), type));
        c.tx = text(FrqTxt(image.txCode(n), type));
        c.rxSub = text(SubTxt(image.rxSubtone(n)));
        c.txSub = text(SubTxt(image.txSubtone(n)));
        c.prohibit = text(ZapTxt(image.flags(n)));
        c.scanS = text(STxt(image.flags(n)));
        c.scanL = d.priorityScan ? text(LTxt(image.flags(n))) : QString();
    }
}

void fillGroups(CardData& d, const Image& image) {
    d.group1First = image[off::Group1First];
    d.group1Last = image[off::Group1Last];
    d.group2First = image[off::Group2First];
    d.group2Last = image[off::Group2Last];
    d.group1FirstText = numberItem(d.group1First, 1, 1, kCardChannels);
    d.group1LastText = numberItem(d.group1Last, 1, 1, kCardChannels);
    d.group2FirstText = numberItem(d.group2First, 1, 1, kCardChannels);
    d.group2LastText = numberItem(d.group2Last, 1, 1, kCardChannels);
}

// Page "Сканирование" (priority scanning as fillChannels found it).
void fillScanPage(CardData& d, const Image& image) {
    d.priorityChannel =
        d.priorityScan ? numberItem(image[off::PriorityChannel], 1, 1, kCardChannels) : "40";
    d.priorityPeriod = periodItem(image[off::PriorityPeriod] / 5 - 1);
    d.resumeDelay = numberItem((image[off::ScanTimes] >> 4) - 1, 1, 1, 15);
    d.carrierTime = numberItem(image[off::CarrierTime] - 10, 100, 10, 41);
    d.scanTransmit = image[off::Options223] & 3;
}

// Page "Основные настройки".
void fillMainPage(CardData& d, const Image& image, RadioType type) {
    d.shpListen = testBit(image[off::Options222], bit::NoShpListen) ? "Нет" : "Да";
    const int limit = image[off::TxLimit];
    d.txLimit = limit == 0 ? QStringLiteral("Не ограничено") : numberItem(limit - 1, 5, 5, 36);
    d.subtoneCancel = testBit(image[off::Options223], bit::SubtoneCancel) ? "Да" : "Нет";
    const bool vehicleSet = testBit(image[off::Options223], bit::PowerSet);
    d.powerLevels = vehicleSet    ? QStringLiteral("5-10-20 (Возимая)")
                    : isVhf(type) ? QStringLiteral("5-20-40 (Стационарная)")
                                  : QStringLiteral("5-20-30 (Стационарная)");
}

// Page "Тональные сигналы".
void fillTonePage(CardData& d, const Image& image) {
    // Tone signalling: on when tone 1 is present; tone k (2..5) is shown
    // when its word is present, whatever the tones before it.
    d.tones = image.toneWord(1) != 0;
    for (int k = 1; k <= kCardTones; ++k) {
        d.toneShown[k - 1] = d.tones && (k == 1 || image.toneWord(k) != 0);
        d.toneHz[k - 1] = spinValue(toneDecode(image.toneWord(k)));
    }
    d.toneDuration = numberItem((image[off::ToneDuration] >> 3) - 1, 1, 1, 20);

    const bool detectorOff =
        image[11] == 0x80 && image[12] == 0xFF && image[13] == 0xFF && image[14] == 0x80;
    d.standby = image[off::RxTone] != kStandbyOff && !detectorOff;
    d.rxToneHz = spinValue(image[off::RxTone] * 10 + kToneMin);
    d.audioHold = numberItem((image[off::ScanTimes] & 0x0F) - 1, 1, 1, 15);
}

} // namespace

CardData cardFromImage(const Image& image, OperatingMode mode, const QString& fileName) {
    CardData d;
    const RadioType type = RsType(image);
    const Diap diap = DiapTxt(type, mode);

    d.fileField = QStringLiteral("Файл: ") + fileName;
    d.factoryNumber = text(ZnTxt(image));
    d.firmware = text(VerTxt(image));
    d.midBand = mode == omMidBand;

    const bool scramblerFitted = testBit(image[off::Options223], bit::Scrambler);
    const std::size_t scramblerIndex = scramblerFitted ? 1 : 0;
    d.scrambler = scramblerIndex < diap.scramblerItems.size()
                      ? text(diap.scramblerItems[scramblerIndex])
                      : QString();

    fillChannels(d, image, type);
    fillGroups(d, image);
    fillScanPage(d, image);
    fillMainPage(d, image, type);
    fillTonePage(d, image);
    return d;
}

} // namespace ksv::print
