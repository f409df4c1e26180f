#pragma once

// The list of image bytes to write into the transceiver, and the rule of
// which image offsets the program may change there at all.

#include "image/image.h"
#include "image/mode.h"

#include <array>
#include <cstdint>
#include <optional>

namespace ksv {

// Entry k sets image byte offsets[k] to values[k]; at most 256 entries.
struct WriteList {
    int count = 0;
    std::array<std::uint8_t, kImageSize> offsets{};
    std::array<std::uint8_t, kImageSize> values{};

    bool empty() const { return count == 0; }
    // Appends an entry; false when the list is full.
    bool add(int offset, std::uint8_t value);
    bool operator==(const WriteList&) const = default;
};

// The 4-byte write record for one entry: 0x02, offset, value and the check
// byte that makes the four sum to 0 modulo 256.
std::array<std::uint8_t, 4> writeRecord(std::uint8_t offset, std::uint8_t value);

// A factory number change is allowed in service mode with "изменить номер"
// ticked.
constexpr bool numberChangeAllowed(OperatingMode mode, bool numberChangeTicked) {
    return mode == omService && numberChangeTicked;
}

// Writable offsets: 0..225, 231 and 249..255, and 226..228 as well when a
// factory number change is allowed. Every other offset keeps the
// transceiver's value.
bool isWritableOffset(int offset, bool numberChangeAllowed);

// The first writable offset at which the images differ, if any.
std::optional<int> firstWritableDifference(const Image& a, const Image& b,
                                           bool numberChangeAllowed);

// True when the images agree at every writable offset.
inline bool sameAtWritableOffsets(const Image& a, const Image& b, bool numberChangeAllowed) {
    return !firstWritableDifference(a, b, numberChangeAllowed).has_value();
}

} // namespace ksv
