#include "link/write_list.h"

#include "image/fields.h"

namespace ksv {

bool WriteList::add(int offset, std::uint8_t value) {
    if (count >= static_cast<int>(kImageSize))
        return false;
    offsets[count] = static_cast<std::uint8_t>(offset);
    values[count] = value;
    ++count;
    return true;
}

std::array<std::uint8_t, 4> writeRecord(std::uint8_t offset, std::uint8_t value) {
    const auto check = static_cast<std::uint8_t>(0u - (0x02u + offset + value));
    return {0x02, offset, value, check};
}

bool isWritableOffset(int offset, bool numberChangeAllowed) {
    return writeAllowed(byteWriteRule(offset), numberChangeAllowed);
}

std::optional<int> firstWritableDifference(const Image& a, const Image& b,
                                           bool numberChangeAllowed) {
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (a[i] != b[i] && isWritableOffset(i, numberChangeAllowed))
            return i;
    return std::nullopt;
}

} // namespace ksv
