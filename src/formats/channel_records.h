#pragma once

// Whole channels as they travel on the clipboard beside their cells' text:
// the five bytes of each record as hexadecimal, one line per channel, so
// that a paste in this program carries the bits the table does not show.

#include "image/image.h"

#include <string>
#include <string_view>
#include <vector>

namespace ksv::formats {

// The clipboard format (MIME type) of whole channels.
inline constexpr const char* kChannelRecordsFormat = "application/x-ksv717n-channels";

// The records of the channels, each line ended by a line feed.
std::string channelRecordsText(const Image& image, const std::vector<int>& channels);

// Channels first .. first + count - 1 take the bits the table does not show
// from the records of text. A text that does not hold exactly count records
// changes nothing: false.
bool takeChannelRecords(Image& image, std::string_view text, int first, int count);

} // namespace ksv::formats
