#include "image/image.h"

#include <bit>

namespace ksv {

const char* modelName(RadioType t) {
    static const char* const names[kRadioTypeCount] = {
        "Тарвен-52", "Тарвен-51", "Тарвен-53", "Тарвен-62", "Тарвен-61", "Тарвен-63",
    };
    const int i = static_cast<int>(t);
    return (i >= 0 && i < kRadioTypeCount) ? names[i] : names[0];
}

std::uint32_t readField(const std::uint8_t* base, FieldLayout layout) {
    std::uint32_t value = 0;
    int shift = 0;
    for (const FieldBits& b : layout) {
        value |= static_cast<std::uint32_t>((base[b.offset] & b.mask) >> std::countr_zero(b.mask))
                 << shift;
        shift += std::popcount(b.mask);
    }
    return value;
}

void writeField(std::uint8_t* base, FieldLayout layout, std::uint32_t value) {
    for (const FieldBits& b : layout) {
        const auto part = static_cast<std::uint8_t>(value << std::countr_zero(b.mask));
        base[b.offset] = static_cast<std::uint8_t>((base[b.offset] & ~b.mask) | (part & b.mask));
        value >>= std::popcount(b.mask);
    }
}

RadioType RsType(const Image& image) {
    const int b = image.band();
    const bool vehicle = image.powerSetBit();
    const bool repeater = image.repeaterBit();
    if (b == 1)
        return vehicle ? rtVehicleVhf : repeater ? rtRepeaterVhf : rtStationaryVhf;
    if (b == 2)
        return vehicle ? rtVehicleUhf : repeater ? rtRepeaterUhf : rtStationaryUhf;
    return rtVehicleVhf;
}

} // namespace ksv
