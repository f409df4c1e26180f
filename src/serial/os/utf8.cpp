#include "serial/os/utf8.h"

#include <cstdio>

namespace ksv::os {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool isControl(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1)
        return lead < 0x20 || lead == 0x7F;
    return lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0; // U+0080..U+009F
}

std::string shownText(std::string_view text, bool keepLineFeeds) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        const std::string_view sequence = text.substr(i, length ? length : 1);
        i += sequence.size();
        if (length == 0) {
            out += kReplacement;
        } else if (!isControl(sequence) || (keepLineFeeds && sequence == "\n")) {
            out += sequence;
        } else {
            for (const char c : sequence) {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(c));
                out += escape;
            }
        }
    }
    return out;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    const unsigned char second = length > 1 ? byte(1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

std::string printableText(std::string_view text) {
    return shownText(text, false);
}

std::string printableLines(std::string_view text) {
    return shownText(text, true);
}

} // namespace ksv::os
