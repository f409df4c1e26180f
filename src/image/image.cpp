#include "image/image.h"

namespace ksv {

const char* modelName(RadioType t) {
    static const char* const names[kRadioTypeCount] = {
        "Тарвен-52", "Тарвен-51", "Тарвен-53", "Тарвен-62", "Тарвен-61", "Тарвен-63",
    };
    const int i = static_cast<int>(t);
    return (i >= 0 && i < kRadioTypeCount) ? names[i] : names[0];
}

int Image::rxCode(int ch) const {
    const int o = recordOffset(ch);
    return bytes_[o] | ((bytes_[o + 2] & 0x03) << 8);
}

int Image::txCode(int ch) const {
    const int o = recordOffset(ch);
    return bytes_[o + 1] | ((bytes_[o + 3] & 0x03) << 8);
}

int Image::rxSubtone(int ch) const {
    return bytes_[recordOffset(ch) + 2] >> 2;
}
int Image::txSubtone(int ch) const {
    return bytes_[recordOffset(ch) + 3] >> 2;
}

void Image::setRxCode(int ch, int code) {
    const int o = recordOffset(ch);
    bytes_[o] = static_cast<std::uint8_t>(code & 0xFF);
    bytes_[o + 2] = static_cast<std::uint8_t>((bytes_[o + 2] & 0xFC) | ((code >> 8) & 0x03));
}

void Image::setTxCode(int ch, int code) {
    const int o = recordOffset(ch);
    bytes_[o + 1] = static_cast<std::uint8_t>(code & 0xFF);
    bytes_[o + 3] = static_cast<std::uint8_t>((bytes_[o + 3] & 0xFC) | ((code >> 8) & 0x03));
}

void Image::setRxSubtone(int ch, int code) {
    const int o = recordOffset(ch) + 2;
    bytes_[o] = static_cast<std::uint8_t>((bytes_[o] & 0x03) | ((code & 0x3F) << 2));
}

void Image::setTxSubtone(int ch, int code) {
    const int o = recordOffset(ch) + 3;
    bytes_[o] = static_cast<std::uint8_t>((bytes_[o] & 0x03) | ((code & 0x3F) << 2));
}

std::uint32_t Image::factoryNumber() const {
    return bytes_[off::FactoryLow] | (bytes_[off::FactoryMid] << 8) |
           ((bytes_[off::FactoryHighBand] >> 4) << 16);
}

std::uint16_t Image::toneWord(int k) const {
    const int o = off::ToneWords + 2 * (k - 1);
    return static_cast<std::uint16_t>(bytes_[o] | (bytes_[o + 1] << 8));
}

void Image::setToneWord(int k, std::uint16_t w) {
    const int o = off::ToneWords + 2 * (k - 1);
    bytes_[o] = static_cast<std::uint8_t>(w & 0xFF);
    bytes_[o + 1] = static_cast<std::uint8_t>(w >> 8);
}

RadioType RsType(const Image& image) {
    const int b = image.band();
    const bool vehicle = testBit(image[off::Options223], bit::PowerSet);
    const bool repeater = testBit(image[off::Model], bit::Repeater);
    if (b == 1)
        return vehicle ? rtVehicleVhf : repeater ? rtRepeaterVhf : rtStationaryVhf;
    if (b == 2)
        return vehicle ? rtVehicleUhf : repeater ? rtRepeaterUhf : rtStationaryUhf;
    return rtVehicleVhf;
}

} // namespace ksv
