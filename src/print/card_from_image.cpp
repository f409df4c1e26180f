#include "print/card_from_image.h"

#include "image/codecs.h"
#include "image/settings.h"

namespace ksv::print {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The text a list shows for the image, empty without a selection.
QString shown(const Image& image, SettingId id) {
    return text(setting(id).shownText(image));
}

void fillChannels(CardData& d, const Image& image) {
    const RadioType type = RsType(image);
    for (int n = 1; n <= kCardChannels; ++n) {
        ChannelCells& c = d.channels[n - 1];
        c.rx = text(FrqTxt(image.rxCode(n), type));
        c.tx = text(FrqTxt(image.txCode(n), type));
        c.rxSub = text(SubTxt(image.rxSubtone(n)));
        c.txSub = text(SubTxt(image.txSubtone(n)));
        c.prohibit = text(ZapTxt(image.flags(n)));
        c.scanS = text(STxt(image.flags(n)));
        c.scanL = text(LTxt(image.flags(n)));
    }
}

void fillMainPage(CardData& d, const Image& image) {
    d.group1First = setting(SettingId::Group1First).get(image);
    d.group1Last = setting(SettingId::Group1Last).get(image);
    d.group2First = setting(SettingId::Group2First).get(image);
    d.group2Last = setting(SettingId::Group2Last).get(image);
    d.group1FirstText = shown(image, SettingId::Group1First);
    d.group1LastText = shown(image, SettingId::Group1Last);
    d.group2FirstText = shown(image, SettingId::Group2First);
    d.group2LastText = shown(image, SettingId::Group2Last);
    d.shpListen = shown(image, SettingId::ShpListen);
    d.txLimit = shown(image, SettingId::TxLimit);
    d.subtoneCancel = shown(image, SettingId::SubtoneCancel);
    d.powerLevels = shown(image, SettingId::PowerLevels);
}

void fillScanPage(CardData& d, const Image& image) {
    // Without priority scanning the window shows channel 40 in the list.
    const ListSetting& priority = setting(SettingId::PriorityChannel);
    d.priorityChannel = d.priorityScan ? shown(image, SettingId::PriorityChannel)
                                       : text(priority.texts(RsType(image)).back());
    d.priorityPeriod = shown(image, SettingId::PriorityPeriod);
    d.resumeDelay = shown(image, SettingId::ResumeDelay);
    d.carrierTime = shown(image, SettingId::CarrierTime);
    d.scanTransmit = setting(SettingId::ScanTransmit).shownIndex(image);
}

void fillTonePage(CardData& d, const Image& image) {
    d.tones = toneSignallingOn(image);
    for (int k = 1; k <= kCardTones; ++k) {
        d.toneShown[k - 1] = toneShown(image, k);
        d.toneHz[k - 1] = toneSpinHz(image, k);
    }
    d.toneDuration = shown(image, SettingId::ToneDuration);
    d.standby = standbyOn(image);
    d.rxToneHz = standbyToneHz(image);
    d.audioHold = shown(image, SettingId::AudioHold);
}

} // namespace

CardData cardFromImage(const Image& image, OperatingMode mode, const QString& fileName) {
    // A fresh window starts with priority scanning ticked; showing an image
    // without it unticks the box, which empties the L column.
    Image shown = image;
    if (!priorityScanOn(shown))
        for (int n = 1; n <= kChannelCount; ++n)
            shown.channel(n).setScanL(false);
    return cardOfShownImage(shown, mode, fileName);
}

CardData cardOfShownImage(const Image& image, OperatingMode mode, const QString& fileName) {
    CardData d;
    d.fileField = QStringLiteral("Файл: ") + fileName;
    d.factoryNumber = text(ZnTxt(image));
    d.firmware = text(VerTxt(image));
    d.midBand = mode == omMidBand;
    d.scrambler = shown(image, SettingId::Scrambler);
    d.priorityScan = priorityScanOn(image);
    fillChannels(d, image);
    fillMainPage(d, image);
    fillScanPage(d, image);
    fillTonePage(d, image);
    return d;
}

} // namespace ksv::print
