#include "cli/image_fields.h"

#include "image/codecs.h"

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

// "0,5" .. "5,0": the item of the priority period list for a stored byte.
std::string periodText(std::uint8_t b) {
    const int index = b / 5 - 1;
    if (index < 0 || index > 9)
        return unlistedText(b);
    const int tenths = (index + 1) * 5;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string powerText(const Image& im) {
    const bool vehicle = testBit(im[off::Options223], bit::PowerSet);
    if (vehicle)
        return "5-10-20 (Возимая)";
    return isVhf(RsType(im)) ? "5-20-40 (Стационарная)" : "5-20-30 (Стационарная)";
}

std::string scramblerText(const Image& im) {
    if (!testBit(im[off::Options223], bit::Scrambler))
        return "Отсутствует";
    // A repeater has no scrambler to name; the window would show no selection.
    const auto items = DiapTxt(RsType(im), omUser).scramblerItems;
    return items.size() > 1 ? items[1] : "установлен (бит 4 байта 223)";
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

void addSettingFields(std::vector<ImageField>& v) {
    const auto add = [&](Section s, std::string label, std::string key, Bits bits,
                         std::function<std::string(const Image&)> text) {
        v.push_back({s, 0, std::move(label), std::move(key), std::move(bits), std::move(text)});
    };
    using S = Section;
    add(S::Main, "Прослушивание канала кнопкой \"ШП\"", "shp_listen", {{222, 0x20}},
        [](const Image& im) { return yesNo(!testBit(im[222], bit::NoShpListen)); });
    add(S::Main, "Время непрерывной работы передатчика, с", "tx_limit", {{220, 0xFF}},
        [](const Image& im) -> std::string {
            const int b = im[off::TxLimit];
            if (b == 0)
                return "Не ограничено";
            return b <= 36 ? std::to_string(5 * b) : unlistedText(im[off::TxLimit]);
        });
    add(S::Main, "Отмена запрета передачи на занятом канале при совпадении субтона",
        "subtone_cancel", {{223, 0x08}},
        [](const Image& im) { return yesNo(testBit(im[223], bit::SubtoneCancel)); });
    add(S::Main, "Уровни выходной мощности передатчика, Вт", "power_levels", {{223, 0x20}},
        powerText);
    add(S::Main, "Группа каналов 1, с", "group1_first", {{216, 0xFF}},
        [](const Image& im) { return channelListText(im[216]); });
    add(S::Main, "Группа каналов 1, по", "group1_last", {{217, 0xFF}},
        [](const Image& im) { return channelListText(im[217]); });
    add(S::Main, "Группа каналов 2, с", "group2_first", {{218, 0xFF}},
        [](const Image& im) { return channelListText(im[218]); });
    add(S::Main, "Группа каналов 2, по", "group2_last", {{219, 0xFF}},
        [](const Image& im) { return channelListText(im[219]); });
    add(S::Main, "УПР", "scrambler", {{223, 0x10}}, scramblerText);

    add(S::Scan, "Задержка для возобновления сканирования, с", "resume_delay", {{221, 0xF0}},
        [](const Image& im) -> std::string {
            const int n = im[221] >> 4;
            return n >= 1 ? std::to_string(n) : unlistedText(im[221]);
        });
    add(S::Scan, "Время анализа несущей на канале в режиме сканирования, мс", "carrier_time",
        {{224, 0xFF}}, [](const Image& im) -> std::string {
            const int b = im[224];
            return b >= 10 && b <= 50 ? std::to_string(10 * b) : unlistedText(im[224]);
        });
    add(S::Scan, "Выход в режим \"Передача\" из режима сканирования", "scan_transmit",
        {{223, 0x03}}, [](const Image& im) -> std::string {
            static const char* const items[] = {"Вариант 4", "Вариант 1", "Вариант 2", "Вариант 3"};
            return items[im[223] & 3];
        });
    add(S::Scan, "Сканирование приоритетного канала, приоритетный канал", "priority", {{249, 0xFF}},
        [](const Image& im) -> std::string {
            const int b = im[off::PriorityChannel];
            if (b == kPriorityOff)
                return kOff;
            return channelListText(im[off::PriorityChannel]);
        });
    add(S::Scan, "Период сканирования приоритетного канала, с", "priority_period", {{225, 0xFF}},
        [](const Image& im) { return periodText(im[225]); });

    add(S::Tones, "Длительность тон-сигналов ПРД, с", "tone_duration", {{0, 0xFF}},
        [](const Image& im) -> std::string {
            const int b = im[off::ToneDuration];
            return b % 8 == 0 && b >= 8 && b <= 160 ? std::to_string(b / 8) : unlistedText(im[0]);
        });
    for (int k = 1; k <= 5; ++k)
        add(S::Tones, "Частота ТОН" + std::to_string(k) + ", Гц", "tone" + std::to_string(k),
            {{2 * k - 1, 0xFF}, {2 * k, 0xFF}}, [k](const Image& im) { return toneText(im, k); });
    add(S::Tones, "Дежурный прием: частота тон-сигнала ПРМ, Гц", "rx_tone", {{231, 0xFF}},
        [](const Image& im) -> std::string {
            const int b = im[off::RxTone];
            if (b == kStandbyOff)
                return kOff;
            return b <= 250 ? std::to_string(b * 10 + kToneMin) : unlistedText(im[off::RxTone]);
        });
    add(S::Tones, "Коэффициенты дежурного приема (байты 11-15)", "",
        {{11, 0xFF}, {12, 0xFF}, {13, 0xFF}, {14, 0xFF}, {15, 0xFF}}, detectorText);
    add(S::Tones, "Время работы УНЧ после приема тон-сигнала ПРМ, с", "audio_hold", {{221, 0x0F}},
        [](const Image& im) -> std::string {
            const int n = im[221] & 0x0F;
            return n >= 1 ? std::to_string(n) : unlistedText(im[221]);
        });

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
