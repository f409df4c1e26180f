#include "formats/channel_values.h"

#include <cstdio>

namespace ksv::formats {
namespace {

// A decimal number with at most one separator ("." or ","), as tenths;
// nullopt when it is not such a number or not a whole number of tenths.
std::optional<int> tenths(std::string_view t) {
    if (t.empty() || t.size() > 12)
        return std::nullopt;
    long whole = 0;
    long frac = 0;
    int fracDigits = 0;
    bool seenPoint = false;
    bool digits = false;
    for (const char c : t) {
        if (c == '.' || c == ',') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!seenPoint) {
                whole = whole * 10 + (c - '0');
            } else if (fracDigits == 0) {
                frac = c - '0';
                ++fracDigits;
            } else if (c != '0') {
                return std::nullopt; // 88.55 is no tone of the table
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return static_cast<int>(whole * 10 + frac);
}

} // namespace

FrequencyRules frequencyRules(const Image& image, OperatingMode mode) {
    const RadioType t = RsType(image);
    return {t, mode, DiapTxt(t, mode)};
}

ValueCheck checkFrequency(std::string_view text, const FrequencyRules& rules) {
    if (text == kOff)
        return {0, {}};
    const FrqCheck check = TestFrq(text, rules.diap.ranges);
    if (!check.ok) {
        std::string why = check.message.empty() ? "это не число" : check.message;
        return {std::nullopt, why + " (" + rules.diap.text + ")"};
    }
    return {TxtFrq(text, rules.type, rules.mode, rules.diap.ranges).code, {}};
}

ValueCheck checkTxFrequency(std::string_view text, const FrequencyRules& rules) {
    if (text.empty() || text == "0")
        return {0, {}};
    return checkFrequency(text, rules);
}

ValueCheck checkSubtone(std::string_view text) {
    if (text.empty() || text == kOff)
        return {0, {}};
    if (const int code = TxtSub(text))
        return {code, {}};
    if (const auto v = tenths(text)) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%d.%d", *v / 10, *v % 10);
        if (const int code = TxtSub(buf))
            return {code, {}};
    }
    return {std::nullopt, "нет такого субтона в таблице (67.0 ... 254.1 или Откл)"};
}

ValueCheck checkMark(std::string_view text, const ChannelField& field) {
    if (text.empty())
        return {0, {}};
    if (text == field.mark)
        return {1, {}};
    return {std::nullopt, std::string("ожидается \"") + field.mark + "\" или пустое значение"};
}

} // namespace ksv::formats
