#include "image/settings.h"

#include "image/codecs.h"

#include <algorithm>

namespace ksv {
namespace {

using Texts = std::function<std::vector<std::string>(RadioType)>;

// "from", "from + step", ... "to".
Texts numbers(int from, int to, int step = 1) {
    return [=](RadioType) {
        std::vector<std::string> v;
        for (int n = from; n <= to; n += step)
            v.push_back(std::to_string(n));
        return v;
    };
}

Texts fixed(std::vector<std::string> texts) {
    return [texts = std::move(texts)](RadioType) { return texts; };
}

Texts limitTexts() {
    return [](RadioType t) {
        std::vector<std::string> v{"Не ограничено"};
        for (std::string& s : numbers(5, 180, 5)(t))
            v.push_back(std::move(s));
        return v;
    };
}

// "0,5", "1,0" .. "5,0"
Texts periodTexts() {
    return [](RadioType) {
        std::vector<std::string> v;
        for (int tenths = 5; tenths <= 50; tenths += 5)
            v.push_back(std::to_string(tenths / 10) + "," + std::to_string(tenths % 10));
        return v;
    };
}

Texts powerTexts() {
    return [](RadioType t) {
        return std::vector<std::string>{"5-10-20 (Возимая)", isVhf(t) ? "5-20-40 (Стационарная)"
                                                                      : "5-20-30 (Стационарная)"};
    };
}

Texts scramblerTexts() {
    return [](RadioType t) { return DiapTxt(t, omUser).scramblerItems; };
}

// The setting's code is the raw number in the bits of a field of the map.
template <typename Codec> void bindField(ListSetting& s, const Field<Codec, 1>& field) {
    s.bits = field.bits();
    s.get = [bits = s.bits](const Image& im) { return static_cast<int>(im.get(bits)); };
    s.set = [bits = s.bits](Image& im, int code) {
        im.set(bits, static_cast<std::uint32_t>(code));
    };
}

ListSetting list(SettingId id, SettingsPage page, const char* key, const char* label, int initial,
                 int first, int step, const Texts& texts) {
    ListSetting s{id, page, key, label, {}, initial, first, step, {}, {}, {}};
    for (int t = 0; t < kRadioTypeCount; ++t)
        s.itemTexts[t] = texts(static_cast<RadioType>(t));
    return s;
}

// The number of tones before the first absent one among tones 2 to 5.
int toneCount(const Image& im) {
    int count = 5;
    for (int k = 5; k >= 2; --k)
        if (im.toneWord(k) == 0)
            count = k - 1;
    return count;
}

ListSetting toneCountSetting() {
    ListSetting s = list(SettingId::ToneCount, SettingsPage::Tones, "", "", 0, 1, 1, numbers(1, 5));
    static constexpr auto kToneWordBits = map::ToneWords.bits();
    s.bits = kToneWordBits;
    s.get = toneCount;
    s.set = [](Image& im, int count) {
        for (int k = count + 1; k <= 5; ++k)
            im.setToneWord(k, 0);
    };
    return s;
}

std::vector<ListSetting> mainPage() {
    using P = SettingsPage;
    using I = SettingId;
    std::vector<ListSetting> v;
    v.push_back(list(I::ShpListen, P::Main, "shp_listen", "Прослушивание канала кнопкой \"ШП\"", 1,
                     1, -1, fixed({"Нет", "Да"})));
    bindField(v.back(), map::NoShpListen);
    v.push_back(list(I::TxLimit, P::Main, "tx_limit", "Время непрерывной работы передатчика, с", 0,
                     0, 1, limitTexts()));
    bindField(v.back(), map::TxLimit);
    v.push_back(list(I::SubtoneCancel, P::Main, "subtone_cancel",
                     "Отмена запрета передачи на занятом канале при совпадении субтона", 1, 0, 1,
                     fixed({"Нет", "Да"})));
    bindField(v.back(), map::SubtoneCancel);
    v.push_back(list(I::PowerLevels, P::Main, "power_levels",
                     "Уровни выходной мощности передатчика, Вт", 0, 1, -1, powerTexts()));
    bindField(v.back(), map::PowerSet);
    const Field<codec::Number>* const groupBytes[] = {&map::Group1First, &map::Group1Last,
                                                      &map::Group2First, &map::Group2Last};
    const char* const keys[] = {"group1_first", "group1_last", "group2_first", "group2_last"};
    const char* const labels[] = {"Группа каналов 1, с", "Группа каналов 1, по",
                                  "Группа каналов 2, с", "Группа каналов 2, по"};
    for (int g = 0; g < 4; ++g) {
        v.push_back(list(static_cast<I>(int(I::Group1First) + g), P::Main, keys[g], labels[g],
                         g % 2 ? 39 : 0, 0, 1, numbers(1, kChannelCount)));
        bindField(v.back(), *groupBytes[g]);
    }
    return v;
}

std::vector<ListSetting> scanPage() {
    using P = SettingsPage;
    using I = SettingId;
    std::vector<ListSetting> v;
    v.push_back(list(I::ResumeDelay, P::Scan, "resume_delay",
                     "Задержка для возобновления сканирования, с", 0, 1, 1, numbers(1, 15)));
    bindField(v.back(), map::ResumeDelay);
    v.push_back(list(I::CarrierTime, P::Scan, "carrier_time",
                     "Время анализа несущей на канале в режиме сканирования, мс", 0, 10, 1,
                     numbers(100, 500, 10)));
    bindField(v.back(), map::CarrierTime);
    v.push_back(list(I::ScanTransmit, P::Scan, "scan_transmit",
                     "Выход в режим \"Передача\" из режима сканирования", 1, 0, 1,
                     fixed({"Вариант 4", "Вариант 1", "Вариант 2", "Вариант 3"})));
    bindField(v.back(), map::ScanTransmit);
    v.push_back(list(I::PriorityChannel, P::Scan, "priority",
                     "Сканирование приоритетного канала, приоритетный канал", 0, 0, 1,
                     numbers(1, kChannelCount)));
    bindField(v.back(), map::PriorityChannel);
    v.push_back(list(I::PriorityPeriod, P::Scan, "priority_period",
                     "Период сканирования приоритетного канала, с", 0, 5, 5, periodTexts()));
    bindField(v.back(), map::PriorityPeriod);
    return v;
}

std::vector<ListSetting> tonePageAndToolStrip() {
    using P = SettingsPage;
    using I = SettingId;
    std::vector<ListSetting> v;
    v.push_back(toneCountSetting());
    v.push_back(list(I::ToneDuration, P::Tones, "tone_duration", "Длительность тон-сигналов ПРД, с",
                     0, 8, 8, numbers(1, 20)));
    bindField(v.back(), map::ToneDuration);
    v.push_back(list(I::AudioHold, P::Tones, "audio_hold",
                     "Время работы УНЧ после приема тон-сигнала ПРМ, с", 0, 1, 1, numbers(1, 15)));
    bindField(v.back(), map::AudioHold);
    v.push_back(list(I::Scrambler, P::ToolStrip, "scrambler", "УПР", 0, 0, 1, scramblerTexts()));
    bindField(v.back(), map::Scrambler);
    return v;
}

int floorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

} // namespace

std::vector<SettingItem> ListSetting::items(RadioType type) const {
    std::vector<SettingItem> v;
    int code = first;
    for (const std::string& t : texts(type)) {
        v.push_back({code, t});
        code += step;
    }
    return v;
}

int ListSetting::shownIndex(const Image& image) const {
    const int index = floorDiv(get(image) - first, step);
    const int count = static_cast<int>(texts(RsType(image)).size());
    return index >= 0 && index < count ? index : -1;
}

int ListSetting::exactIndex(const Image& image) const {
    const int index = shownIndex(image);
    return index >= 0 && first + step * index == get(image) ? index : -1;
}

std::string ListSetting::shownText(const Image& image) const {
    const int index = shownIndex(image);
    return index >= 0 ? texts(RsType(image))[index] : std::string();
}

void ListSetting::store(Image& image, int index) const {
    set(image, first + step * index);
}

void ListSetting::keepShown(Image& image) const {
    if (const int index = shownIndex(image); index >= 0)
        store(image, index);
}

const std::vector<ListSetting>& listSettings() {
    static const std::vector<ListSetting> all = [] {
        std::vector<ListSetting> v = mainPage();
        for (auto* part : {scanPage, tonePageAndToolStrip})
            for (ListSetting& s : part())
                v.push_back(std::move(s));
        return v;
    }();
    return all;
}

const ListSetting& setting(SettingId id) {
    return listSettings()[static_cast<std::size_t>(id)];
}

const std::vector<SettingId>& independentLists() {
    using I = SettingId;
    static const std::vector<SettingId> ids = {I::PriorityPeriod, I::ResumeDelay, I::CarrierTime,
                                               I::ScanTransmit,   I::ShpListen,   I::SubtoneCancel,
                                               I::TxLimit,        I::PowerLevels};
    return ids;
}

bool priorityScanOn(const Image& image) {
    return image.get(map::PriorityChannel).has_value();
}

void storePriorityScanOff(Image& image) {
    image.set(map::PriorityChannel, std::nullopt);
}

bool toneSignallingOn(const Image& image) {
    return image.toneWord(1) != 0;
}

bool toneShown(const Image& image, int k) {
    return toneSignallingOn(image) && (k == 1 || image.toneWord(k) != 0);
}

int toneSpinHz(const Image& image, int k) {
    return std::clamp(toneDecode(image.toneWord(k)).value_or(kToneMax), kToneMin, kToneMax);
}

void storeTones(Image& image, int count, const std::array<int, 5>& hz) {
    for (int k = 1; k <= 5; ++k)
        image.setToneWord(k, k <= count ? toneEncode(hz[k - 1]) : 0);
}

bool standbyOn(const Image& image) {
    const auto detector = image.get(map::Detector);
    const bool offPattern =
        std::equal(kDetectorOff.begin(), kDetectorOff.begin() + 4, detector.begin());
    return image.get(map::RxTone).has_value() && !offPattern;
}

int standbyToneHz(const Image& image) {
    return std::clamp(image.get(map::RxTone).value_or(kToneMax), kToneMin, kToneMax);
}

void storeStandbyTone(Image& image, int hz) {
    image.set(map::RxTone, hz);
    image.set(map::Detector, detectorCoefficients(hz));
}

void storeStandbyOff(Image& image) {
    image.set(map::RxTone, std::nullopt);
    image.set(map::Detector, kDetectorOff);
}

} // namespace ksv
