#include "image/fields.h"

#include "image/codecs.h"
#include "image/settings.h"

#include <algorithm>

namespace ksv {
namespace {

// ---- Write rules and bits not interpreted ----------------------------------------------------

struct ByteRule {
    int first, last;
    WriteRule rule;
};

constexpr ByteRule kByteRules[] = {
    {0, map::PriorityPeriod.offset(), WriteRule::Always}, // tones, detector, channels, settings
    {map::FactoryNumber.offset(), map::Band.offset(), WriteRule::NumberChange},
    {map::Firmware.offset(), map::RxTone.offset() - 1, WriteRule::Never},
    {map::RxTone.offset(), map::RxTone.offset(), WriteRule::Always},
    {map::RxTone.offset() + 1, map::PriorityChannel.offset() - 1, WriteRule::Never},
    {map::PriorityChannel.offset(), static_cast<int>(kImageSize) - 1, WriteRule::Always},
};

// Fields of several bytes as the tables hold them: bits with static storage.
constexpr std::array<std::array<FieldBits, 2>, 5> kToneWordBits = {
    map::toneWord(1).parts, map::toneWord(2).parts, map::toneWord(3).parts, map::toneWord(4).parts,
    map::toneWord(5).parts};
constexpr auto kDetectorBits = map::Detector.bits();
constexpr auto kUninterpretedBytes = map::UninterpretedBytes.bits();

// ---- Channel record fields ---------------------------------------------------------------------

using CV = ChannelValue;
using CF = ChannelFieldId;
namespace rec = map::record;

constexpr std::array<ChannelField, kChannelFieldCount> kChannelFields = {{
    {CF::Rx, CV::Frequency, rec::RxCode.bits(), "Частота ПРМ, кГц", "Частота ПРМ, кГц", "ПРМ, кГц",
     "rx", "", "Частота\nПРМ, кГц"},
    {CF::Tx, CV::Frequency, rec::TxCode.bits(), "Частота ПРД, кГц", "Частота ПРД, кГц", "ПРД, кГц",
     "tx", "", "Частота\nПРД, кГц"},
    {CF::RxSubtone, CV::Subtone, rec::RxSubtone.bits(), "Субтон ПРМ, Гц", "Субтон ПРМ, Гц",
     "Субтон ПРМ", "rx_subtone", "", "Субтон\nПРМ, Гц"},
    {CF::TxSubtone, CV::Subtone, rec::TxSubtone.bits(), "Субтон ПРД, Гц", "Субтон ПРД, Гц",
     "Субтон ПРД", "tx_subtone", "", "Субтон\nПРД, Гц"},
    {CF::Prohibit, CV::Mark, rec::Prohibit.bits(), "Запрет ПРД", "Запрет ПРД", "Запрет",
     "tx_inhibit", kProhibitMark, "Запрет\nПРД"},
    {CF::ScanS, CV::Mark, rec::ScanS.bits(), "Список скан. (S)", "Список скан.", "S", "scan_s",
     kScanSMark, "Список\nскан."},
    {CF::ScanL, CV::Mark, rec::ScanL.bits(), "Список L", "Список L", "L", "scan_l", kScanLMark,
     "Список\nL"},
    {CF::TxOff, CV::Mark, rec::TxOff.bits(), "Признак \"ПРД откл.\"", "", "", "", "", ""},
}};

std::string yesNo(bool b) {
    return b ? "Да" : "Нет";
}

void addChannelFields(std::vector<ImageField>& v) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        for (const ChannelField& cf : kChannelFields) {
            std::vector<FieldBits> bits;
            for (const FieldBits& b : cf.bits)
                bits.push_back({Image::recordOffset(ch) + b.offset, b.mask});
            const WriteRule write = byteWriteRule(bits.front().offset);
            v.push_back({Section::Channel, ch, cf.label, "", std::move(bits),
                         [ch, &cf](const Image& im) { return cf.text(im.channel(ch), RsType(im)); },
                         write});
        }
    }
}

// ---- Settings and device fields ----------------------------------------------------------

using Text = std::function<std::string(const Image&)>;
using Add = std::function<void(Section, std::string, std::string, FieldLayout, Text)>;

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
    for (const std::uint8_t b : im.get(map::Detector))
        s += (s.empty() ? "" : " ") + hexByte(b);
    return s;
}

std::string rxToneText(const Image& im) {
    const auto hz = im.get(map::RxTone);
    if (!hz)
        return kOff;
    return *hz <= kToneMax ? std::to_string(*hz)
                           : unlistedText(static_cast<std::uint8_t>(im.get(map::RxTone.bits())));
}

std::string channelListText(std::uint8_t b) {
    return b < kChannelCount ? std::to_string(b + 1) : unlistedText(b);
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

void addList(const Add& add, Section section, SettingId id, Text text = {}) {
    const ListSetting& s = setting(id);
    if (!text)
        text = [&s](const Image& im) { return listText(s, im); };
    add(section, s.label, s.key, s.bits, std::move(text));
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
        return index >= 0 ? s.texts(RsType(im))[index]
                          : unlistedText(static_cast<std::uint8_t>(s.get(im)));
    });
    for (int k = 1; k <= 5; ++k) {
        add(Section::Tones, "Частота ТОН" + std::to_string(k) + ", Гц", "tone" + std::to_string(k),
            kToneWordBits[k - 1], [k](const Image& im) { return toneText(im, k); });
    }
    add(Section::Tones, "Дежурный прием: частота тон-сигнала ПРМ, Гц", "rx_tone",
        map::RxTone.bits(), rxToneText);
    add(Section::Tones, "Коэффициенты дежурного приема (байты 11-15)", "", kDetectorBits,
        detectorText);
    addList(add, Section::Tones, SettingId::AudioHold);
}

void addDeviceFields(const Add& add) {
    using S = Section;
    add(S::Device, "Заводской номер", "", map::FactoryNumber.bits(),
        [](const Image& im) { return ZnTxt(im); });
    add(S::Device, "Диапазон", "", map::Band.bits(), bandText);
    add(S::Device, "Версия ПО", "", map::Firmware.bits(),
        [](const Image& im) { return VerTxt(im); });
    add(S::Device, "Ретранслятор", "", map::Repeater.bits(),
        [](const Image& im) { return yesNo(im.repeaterBit()); });
    add(S::Device, "Контрольная сумма", "", map::Checksum.bits(),
        [](const Image& im) { return hexText(im.checksum()); });
    add(S::Device, "Копия начала группы 1", "", map::Group1Copy.bits(),
        [](const Image& im) { return channelListText(im.groupCopy(1)); });
    add(S::Device, "Копия начала группы 2", "", map::Group2Copy.bits(),
        [](const Image& im) { return channelListText(im.groupCopy(2)); });
    add(S::Device, "Признак записи из программы", "", map::Stored.bits(),
        [](const Image& im) { return yesNo(im.storedBit()); });
}

void addSettingFields(std::vector<ImageField>& v) {
    const Add add = [&v](Section s, std::string label, std::string key, FieldLayout bits,
                         Text text) {
        v.push_back({s, 0, std::move(label), std::move(key),
                     std::vector<FieldBits>(bits.begin(), bits.end()), std::move(text),
                     byteWriteRule(bits.front().offset)});
    };
    addMainFields(add);
    addScanFields(add);
    addToneFields(add);
    addDeviceFields(add);
}

} // namespace

WriteRule byteWriteRule(int offset) {
    for (const ByteRule& r : kByteRules)
        if (offset >= r.first && offset <= r.last)
            return r.rule;
    return WriteRule::Never;
}

int ChannelField::get(ConstChannelView record) const {
    return static_cast<int>(record.get(bits));
}

void ChannelField::set(ChannelView record, int value) const {
    record.set(bits, static_cast<std::uint32_t>(value));
}

std::string ChannelField::cell(ConstChannelView record, RadioType type) const {
    switch (kind) {
    case ChannelValue::Frequency:
        return FrqTxt(get(record), type);
    case ChannelValue::Subtone:
        return SubTxt(get(record));
    case ChannelValue::Mark:
        break;
    }
    return get(record) ? mark : "";
}

std::string ChannelField::text(ConstChannelView record, RadioType type) const {
    return kind == ChannelValue::Mark ? yesNo(get(record) != 0) : cell(record, type);
}

const std::array<ChannelField, kChannelFieldCount>& channelFields() {
    return kChannelFields;
}

const ChannelField& channelField(ChannelFieldId id) {
    return kChannelFields[static_cast<std::size_t>(id)];
}

const std::vector<const ChannelField*>& tableColumns() {
    static const std::vector<const ChannelField*> columns = [] {
        std::vector<const ChannelField*> v;
        for (const ChannelField& f : kChannelFields)
            if (*f.caption)
                v.push_back(&f);
        return v;
    }();
    return columns;
}

bool ImageField::differs(const Image& a, const Image& b) const {
    for (const auto& [offset, mask] : bits)
        if ((a[offset] ^ b[offset]) & mask)
            return true;
    return false;
}

bool ImageField::is(FieldLayout layout) const {
    return std::equal(bits.begin(), bits.end(), layout.begin(), layout.end());
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

const std::array<std::uint8_t, kImageSize>& uninterpretedBits() {
    static const std::array<std::uint8_t, kImageSize> kept = [] {
        std::array<std::uint8_t, kImageSize> k{};
        for (int ch = 1; ch <= kChannelCount; ++ch)
            k[Image::recordOffset(ch) + map::record::Uninterpreted.offset] |=
                map::record::Uninterpreted.mask;
        for (const FieldBits& b : map::Uninterpreted)
            k[b.offset] |= b.mask;
        for (const FieldBits& b : kUninterpretedBytes)
            k[b.offset] |= b.mask;
        return k;
    }();
    return kept;
}

std::string hexText(std::uint8_t byte) {
    return "0x" + hexByte(byte);
}

std::string unlistedText(std::uint8_t byte) {
    return "? (" + hexText(byte) + ")";
}

bool channelInUse(const Image& image, int channel) {
    const auto in = [&](SettingId first, SettingId last) {
        const int a = setting(first).get(image);
        const int b = setting(last).get(image);
        if (a >= kChannelCount || b >= kChannelCount)
            return false;
        return a + 1 <= channel && channel <= b + 1;
    };
    return in(SettingId::Group1First, SettingId::Group1Last) ||
           in(SettingId::Group2First, SettingId::Group2Last);
}

} // namespace ksv
