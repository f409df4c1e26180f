#include "cli/image_report.h"

#include "cli/image_fields.h"
#include "cli/text_util.h"
#include "image/checksum.h"
#include "image/codecs.h"

namespace ksv::cli {
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
        if (f.bits.front().first == off::Checksum)
            out += checksumNote(im);
        out += "\n";
    }
    out += "\n";
}

void appendChannels(std::string& out, const Image& im) {
    const RadioType t = RsType(im);
    out += "Каналы (* — канал вне групп каналов)\n";
    const int w[] = {4, 10, 10, 12, 12, 8, 3, 2};
    const char* heads[] = {"№",          "ПРМ, кГц", "ПРД, кГц", "Субтон ПРМ",
                           "Субтон ПРД", "Запрет",   "S",        "L"};
    std::string line = "  ";
    for (int i = 0; i < 8; ++i)
        line += padRight(heads[i], w[i]);
    while (line.back() == ' ')
        line.pop_back();
    out += line + "\n";
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const std::uint8_t flags = im.flags(ch);
        const std::string cells[] = {std::to_string(ch) + (channelInUse(im, ch) ? "" : "*"),
                                     FrqTxt(im.rxCode(ch), t),
                                     FrqTxt(im.txCode(ch), t),
                                     SubTxt(im.rxSubtone(ch)),
                                     SubTxt(im.txSubtone(ch)),
                                     ZapTxt(flags),
                                     STxt(flags),
                                     LTxt(flags)};
        line = "  ";
        for (int i = 0; i < 8; ++i)
            line += padRight(cells[i], w[i]);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
}

std::string jsonBool(bool b) {
    return b ? "true" : "false";
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
    o += "  \"checksum\": " + std::to_string(im[off::Checksum]) + ",\n";
    o += "  \"checksum_ok\": " + jsonBool(CheckCRC(im)) + ",\n";
    o += "  \"groups\": [[" + std::to_string(im[216] + 1) + ", " + std::to_string(im[217] + 1) +
         "], [" + std::to_string(im[218] + 1) + ", " + std::to_string(im[219] + 1) + "]],\n";
    const int p = im[off::PriorityChannel];
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
        o += ", \"rx\": " + jsonString(FrqTxt(im.rxCode(ch), t));
        o += ", \"tx\": " + jsonString(FrqTxt(im.txCode(ch), t));
        o += ", \"rx_subtone\": " + jsonString(SubTxt(im.rxSubtone(ch)));
        o += ", \"tx_subtone\": " + jsonString(SubTxt(im.txSubtone(ch)));
        o += ", \"tx_inhibit\": " + jsonBool(im.prohibited(ch));
        o += ", \"scan_s\": " + jsonBool(im.scanS(ch));
        o += ", \"scan_l\": " + jsonBool(im.scanL(ch));
        o += ", \"in_use\": " + jsonBool(channelInUse(im, ch));
        o += ch < kChannelCount ? "},\n" : "}\n";
    }
    o += "  ]\n}\n";
    return o;
}

} // namespace ksv::cli
