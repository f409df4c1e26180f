#include "cli/image_fields.h"

#include "image/codecs.h"
#include "image/settings.h"

namespace ksv::cli {
namespace {

using Bits = std::vector<std::pair<int, std::uint8_t>>;

std::string yesNo(bool b) {
    return b ? "Да" : "Нет";
}

std::string toneText(const Image& im, int k) {
    const std::uint16_t w = im.toneWord(k);
    if (w == 0)
        return kOff;
    const auto hz = toneDecode(w);
    return hz ? std::to_string(*hz) : "нет частоты (FFFF)";
}

std::string bandText(const Image& im) {
    switch (im.band()) {
    case 1:
        return "1 (метровый)";
    case 2:
        return "2 (дециметровый)";
    default:
        return std::to_string(im.band()) + " (не определен)";
    }
}

std::string detectorText(const Image& im) {
    std::string s;
    for (int i = off::Detector; i < off::Detector + 5; ++i) {
        if (!s.empty())
            s += ' ';
        s += hexByte(im[i]);
    }
    return s;
}

std::string channelListText(std::uint8_t b) {
    return b < kChannelCount ? std::to_string(b + 1) : unlistedText(b);
}

void addChannelFields(std::vector<ImageField>& v) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const int o = Image::recordOffset(ch);
        const auto add = [&](std::string label, Bits bits,
                             std::function<std::string(const Image&)> text) {
            v.push_back(
                {Section::Channel, ch, std::move(label), "", std::move(bits), std::move(text)});
        };
        add("Частота ПРМ, кГц", {{o, 0xFF}, {o + 2, 0x03}},
            [ch](const Image& im) { return FrqTxt(im.rxCode(ch), RsType(im)); });
        add("Частота ПРД, кГц", {{o + 1, 0xFF}, {o + 3, 0x03}},
            [ch](const Image& im) { return FrqTxt(im.txCode(ch), RsType(im)); });
        add("Субтон ПРМ, Гц", {{o + 2, 0xFC}},
            [ch](const Image& im) { return SubTxt(im.rxSubtone(ch)); });
        add("Субтон ПРД, Гц", {{o + 3, 0xFC}},
            [ch](const Image& im) { return SubTxt(im.txSubtone(ch)); });
        add("Запрет ПРД", {{o + 4, 0x01}},
            [ch](const Image& im) { return yesNo(im.prohibited(ch)); });
        add("Список скан. (S)", {{o + 4, 0x80}},
            [ch](const Image& im) { return yesNo(im.scanS(ch)); });
        add("Список L", {{o + 4, 0x40}}, [ch](const Image& im) { return yesNo(im.scanL(ch)); });
        add("Признак \"ПРД откл.\"", {{o + 4, 0x02}},
            [ch](const Image& im) { return yesNo(im.txOff(ch)); });
    }
}

using Add = std::function<void(Section, std::string, std::string, Bits,
                               std::function<std::string(const Image&)>)>;

Bits bitsOf(const ListSetting& s) {
    Bits b;
    for (const SettingBits& p : s.bits)
        b.emplace_back(p.offset, p.mask);
    return b;
}

std::string scramblerText(const Image& im) {
    const ListSetting& s = setting(SettingId::Scrambler);
    // A repeater has no scrambler to name; the window would show no selection.
    return s.shownIndex(im) >= 0 ? s.shownText(im) : "установлен (бит 4 байта 223)";
}

// The item the window shows, or the byte when no item shows it.
std::string listText(const ListSetting& s, const Image& im) {
    const int index = s.shownIndex(im);
    return index >= 0 ? s.texts(RsType(im))[index] : unlistedText(im[s.bits[0].offset]);
}

void addList(const Add& add, Section section, SettingId id,
             std::function<std::string(const Image&)> text = {}) {
    const ListSetting& s = setting(id);
    if (!text)
        text = [&s](const Image& im) { return listText(s, im); };
    add(section, s.label, s.key, bitsOf(s), std::move(text));
}

void addMainFields(const Add& add) {
    for (SettingId id : {SettingId::ShpListen, SettingId::TxLimit, SettingId::SubtoneCancel,
                         SettingId::PowerLevels, SettingId::Group1First, SettingId::Group1Last,
                         SettingId::Group2First, SettingId::Group2Last})
        addList(add, Section::Main, id);
    addList(add, Section::Main, SettingId::Scrambler, scramblerText);
}

void addScanFields(const Add& add) {
    for (SettingId id : {SettingId::ResumeDelay, SettingId::CarrierTime, SettingId::ScanTransmit})
        addList(add, Section::Scan, id);
    addList(add, Section::Scan, SettingId::PriorityChannel, [](const Image& im) {
        return priorityScanOn(im) ? listText(setting(SettingId::PriorityChannel), im)
                                  : std::string(kOff);
    });
    addList(add, Section::Scan, SettingId::PriorityPeriod);
}

void addToneFields(const Add& add) {
    // The report names only a duration that is a whole number of seconds.
    addList(add, Section::Tones, SettingId::ToneDuration, [](const Image& im) {
        const ListSetting& s = setting(SettingId::ToneDuration);
        const int index = s.exactIndex(im);
        return index >= 0 ? s.texts(RsType(im))[index] : unlistedText(im[off::ToneDuration]);
    });
    for (int k = 1; k <= 5; ++k)
        add(Section::Tones, "Частота ТОН" + std::to_string(k) + ", Гц", "tone" + std::to_string(k),
            {{2 * k - 1, 0xFF}, {2 * k, 0xFF}}, [k](const Image& im) { return toneText(im, k); });
    add(Section::Tones, "Дежурный прием: частота тон-сигнала ПРМ, Гц", "rx_tone", {{231, 0xFF}},
        [](const Image& im) -> std::string {
            const int b = im[off::RxTone];
            if (b == kStandbyOff)
                return kOff;
            return b <= 250 ? std::to_string(b * 10 + kToneMin) : unlistedText(im[off::RxTone]);
        });
    add(Section::Tones, "Коэффициенты дежурного приема (байты 11-15)", "",
        {{11, 0xFF}, {12, 0xFF}, {13, 0xFF}, {14, 0xFF}, {15, 0xFF}}, detectorText);
    addList(add, Section::Tones, SettingId::AudioHold);
}

void addDeviceFields(const Add& add) {
    using S = Section;
    add(S::Device, "Заводской номер", "", {{226, 0xFF}, {227, 0xFF}, {228, 0xF0}},
        [](const Image& im) { return ZnTxt(im); });
    add(S::Device, "Диапазон", "", {{228, 0x0F}}, bandText);
    add(S::Device, "Версия ПО", "", {{229, 0xFF}}, [](const Image& im) { return VerTxt(im); });
    add(S::Device, "Ретранслятор", "", {{255, 0x08}},
        [](const Image& im) { return yesNo(testBit(im[255], bit::Repeater)); });
    add(S::Device, "Контрольная сумма", "", {{250, 0xFF}},
        [](const Image& im) { return hexText(im[off::Checksum]); });
    add(S::Device, "Копия начала группы 1", "", {{252, 0xFF}},
        [](const Image& im) { return channelListText(im[252]); });
    add(S::Device, "Копия начала группы 2", "", {{253, 0xFF}},
        [](const Image& im) { return channelListText(im[253]); });
    add(S::Device, "Признак записи из программы", "", {{255, 0x02}},
        [](const Image& im) { return yesNo(testBit(im[255], bit::Stored)); });
}

void addSettingFields(std::vector<ImageField>& v) {
    const Add add = [&v](Section s, std::string label, std::string key, Bits bits,
                         std::function<std::string(const Image&)> text) {
        v.push_back({s, 0, std::move(label), std::move(key), std::move(bits), std::move(text)});
    };
    addMainFields(add);
    addScanFields(add);
    addToneFields(add);
    addDeviceFields(add);
}

} // namespace

bool ImageField::differs(const Image& a, const Image& b) const {
    for (const auto& [offset, mask] : bits)
        if ((a[offset] ^ b[offset]) & mask)
            return true;
    return false;
}

const std::vector<ImageField>& imageFields() {
    static const std::vector<ImageField> fields = [] {
        std::vector<ImageField> v;
        addChannelFields(v);
        addSettingFields(v);
        return v;
    }();
    return fields;
}

const std::array<std::uint8_t, kImageSize>& coveredBits() {
    static const std::array<std::uint8_t, kImageSize> covered = [] {
        std::array<std::uint8_t, kImageSize> c{};
        for (const auto& f : imageFields())
            for (const auto& [offset, mask] : f.bits)
                c[offset] |= mask;
        return c;
    }();
    return covered;
}

std::string hexText(std::uint8_t byte) {
    return "0x" + hexByte(byte);
}

std::string unlistedText(std::uint8_t byte) {
    return "? (" + hexText(byte) + ")";
}

bool channelInUse(const Image& image, int channel) {
    const auto in = [&](int first, int last) {
        const int a = image[first];
        const int b = image[last];
        if (a >= kChannelCount || b >= kChannelCount)
            return false;
        return a + 1 <= channel && channel <= b + 1;
    };
    return in(off::Group1First, off::Group1Last) || in(off::Group2First, off::Group2Last);
}

} // namespace ksv::cli
