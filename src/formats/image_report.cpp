#include "formats/image_report.h"

#include "formats/text_util.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/fields.h"
#include "image/settings.h"

#include <functional>

namespace ksv::formats {
namespace {

const char* sectionTitle(Section s) {
    switch (s) {
    case Section::Main:
        return "Основные настройки";
    case Section::Scan:
        return "Сканирование";
    case Section::Tones:
        return "Тональные сигналы";
    case Section::Device:
        return "Радиостанция";
    case Section::Channel:
        break;
    }
    return "Каналы";
}

std::string checksumNote(const Image& im) {
    if (CheckCRC(im))
        return " (верна)";
    return " (неверна, по данным должна быть " + hexText(CalcCRC(im)) + ")";
}

void appendSection(std::string& out, const Image& im, Section s) {
    out += std::string(sectionTitle(s)) + "\n";
    if (s == Section::Device)
        out += "  Модель: " + std::string(modelName(RsType(im))) + " (тип " +
               std::to_string(RsType(im)) + ")\n";
    for (const auto& f : imageFields()) {
        if (f.section != s)
            continue;
        out += "  " + f.label + ": " + f.text(im);
        if (f.is(map::Checksum.bits()))
            out += checksumNote(im);
        out += "\n";
    }
    out += "\n";
}

// The fields the channel table shows, in its column order.
std::vector<const ChannelField*> tableColumns() {
    std::vector<const ChannelField*> v;
    for (const ChannelField& f : channelFields())
        if (*f.heading)
            v.push_back(&f);
    return v;
}

// A row of the table: the channel number, then one cell per column, each
// column two characters wider than its heading.
std::string tableRow(const std::string& number, const std::vector<const ChannelField*>& columns,
                     const std::function<std::string(const ChannelField&)>& cell) {
    std::string line = "  " + padRight(number, 4);
    for (const ChannelField* f : columns)
        line += padRight(cell(*f), displayWidth(f->heading) + 2);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line + "\n";
}

void appendChannels(std::string& out, const Image& im) {
    const RadioType t = RsType(im);
    const auto columns = tableColumns();
    out += "Каналы (* — канал вне групп каналов)\n";
    out += tableRow("№", columns, [](const ChannelField& f) { return std::string(f.heading); });
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const std::string number = std::to_string(ch) + (channelInUse(im, ch) ? "" : "*");
        out += tableRow(number, columns,
                        [&](const ChannelField& f) { return f.cell(im.channel(ch), t); });
    }
}

std::string jsonBool(bool b) {
    return b ? "true" : "false";
}

// "[1, 40]": a group's first and last channel as the bytes hold them.
std::string jsonGroup(const Image& im, SettingId first, SettingId last) {
    return "[" + std::to_string(setting(first).get(im) + 1) + ", " +
           std::to_string(setting(last).get(im) + 1) + "]";
}

// A mark as true or false, any other value as its text.
std::string jsonValue(const ChannelField& f, ConstChannelView record, RadioType type) {
    if (f.kind == ChannelValue::Mark)
        return jsonBool(f.get(record) != 0);
    return jsonString(f.cell(record, type));
}

} // namespace

std::string imageReport(const Image& im, const std::string& fileName) {
    std::string out;
    if (!fileName.empty())
        out += "Файл: " + fileName + "\n\n";
    appendSection(out, im, Section::Device);
    appendSection(out, im, Section::Main);
    appendSection(out, im, Section::Scan);
    appendSection(out, im, Section::Tones);
    appendChannels(out, im);
    return out;
}

std::string imageJson(const Image& im) {
    const RadioType t = RsType(im);
    std::string o = "{\n";
    o += "  \"radio_type\": " + std::to_string(t) + ",\n";
    o += "  \"model\": " + jsonString(modelName(t)) + ",\n";
    o += "  \"band\": " + std::to_string(im.band()) + ",\n";
    o += "  \"factory_number\": " + jsonString(ZnTxt(im)) + ",\n";
    o += "  \"firmware\": " + jsonString(VerTxt(im)) + ",\n";
    o += "  \"checksum\": " + std::to_string(im.checksum()) + ",\n";
    o += "  \"checksum_ok\": " + jsonBool(CheckCRC(im)) + ",\n";
    o += "  \"groups\": [" + jsonGroup(im, SettingId::Group1First, SettingId::Group1Last) + ", " +
         jsonGroup(im, SettingId::Group2First, SettingId::Group2Last) + "],\n";
    const int p = setting(SettingId::PriorityChannel).get(im);
    o += "  \"priority_channel\": " + (p < kChannelCount ? std::to_string(p + 1) : "null") + ",\n";
    o += "  \"settings\": {";
    bool first = true;
    for (const auto& f : imageFields()) {
        if (f.key.empty())
            continue;
        o += std::string(first ? "\n" : ",\n") + "    " + jsonString(f.key) + ": " +
             jsonString(f.text(im));
        first = false;
    }
    o += "\n  },\n";
    o += "  \"channels\": [\n";
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        o += "    {\"channel\": " + std::to_string(ch);
        for (const ChannelField& f : channelFields())
            if (*f.key)
                o += ", " + jsonString(f.key) + ": " + jsonValue(f, im.channel(ch), t);
        o += ", \"in_use\": " + jsonBool(channelInUse(im, ch));
        o += ch < kChannelCount ? "},\n" : "}\n";
    }
    o += "  ]\n}\n";
    return o;
}

} // namespace ksv::formats
