#include "formats/channel_records.h"

#include "image/channel_order.h"
#include "image/codecs.h"

#include <cctype>
#include <optional>

namespace ksv::formats {
namespace {

// One record from its line of hexadecimal digits, of either case.
std::optional<ChannelRecord> recordOf(std::string_view line) {
    ChannelRecord r{};
    if (line.size() != 2 * r.size())
        return std::nullopt;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const auto upper = [](char c) {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        };
        const auto byte = hexPair(upper(line[2 * i]), upper(line[2 * i + 1]));
        if (!byte)
            return std::nullopt;
        r[i] = *byte;
    }
    return r;
}

} // namespace

std::string channelRecordsText(const Image& image, const std::vector<int>& channels) {
    std::string text;
    for (int n : channels) {
        for (const std::uint8_t b : channelRecord(image, n))
            for (const char c : hexByte(b))
                text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        text += '\n';
    }
    return text;
}

bool takeChannelRecords(Image& image, std::string_view text, int first, int count) {
    std::vector<ChannelRecord> records;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            return false; // every record ends with its line feed
        const auto record = recordOf(text.substr(0, end));
        if (!record)
            return false;
        records.push_back(*record);
        text.remove_prefix(end + 1);
    }
    if (static_cast<int>(records.size()) != count)
        return false;
    for (int i = 0; i < count; ++i)
        takeUnshownBits(image, first + i, records[static_cast<std::size_t>(i)]);
    return true;
}

} // namespace ksv::formats
