#pragma once

// The fields of a settings image as this program names them, each with the
// bits it occupies and the text it shows. The readable report, the field-level
// comparison and the preview of a write all work from this one table; bits
// that no field covers are the bytes the program does not interpret.

#include "image/image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ksv::cli {

enum class Section { Channel, Main, Scan, Tones, Device };

struct ImageField {
    Section section = Section::Main;
    int channel = 0;   // 1..40 for channel fields, else 0
    std::string label; // "Частота ПРМ, кГц"
    std::string key;   // JSON key of the report's "settings" object ("" for none)
    std::vector<std::pair<int, std::uint8_t>> bits; // (offset, mask) pairs
    std::function<std::string(const Image&)> text;

    bool differs(const Image& a, const Image& b) const;
};

// Every field, channels first (channel 1 to 40, in table column order), then
// the settings in page order, then the device bytes.
const std::vector<ImageField>& imageFields();

// The bits of each byte that some field covers.
const std::array<std::uint8_t, kImageSize>& coveredBits();

// Text of a value that no list item shows: "? (0x2A)".
std::string unlistedText(std::uint8_t byte);

// "0x9B"
std::string hexText(std::uint8_t byte);

// Whether a channel lies in one of the two groups (a group whose selectors
// cannot show its bytes counts as empty).
bool channelInUse(const Image& image, int channel);

} // namespace ksv::cli
