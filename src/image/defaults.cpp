#include "image/defaults.h"

namespace ksv {
namespace {

Image makeDefault(std::uint8_t b223, std::uint8_t b228, std::uint8_t b250, std::uint8_t b255) {
    Image im;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const int o = Image::recordOffset(ch);
        im[o] = 0x0C; // receive 148000 / 450000 kHz, transmit off
        im[o + 4] = 0x02;
    }
    im[216] = 0x00;
    im[217] = 0x27;
    im[218] = 0x00;
    im[219] = 0x27;
    im[220] = 0x24;
    im[221] = 0x4A;
    im[222] = 0x06;
    im[223] = b223;
    im[224] = 0x0A;
    im[225] = 0x28;
    im[228] = b228;
    im[230] = 0x4B;
    im[231] = 0xFF;
    im[232] = 0x1F;
    im[246] = 0x10;
    im[249] = 0xFF;
    im[250] = b250;
    im[255] = b255;
    return im;
}

const Image kDefaults[kRadioTypeCount] = {
    makeDefault(0x21, 0x01, 0x9B, 0x03), // rtVehicleVhf
    makeDefault(0x01, 0x01, 0xBB, 0x03), // rtStationaryVhf
    makeDefault(0x01, 0x01, 0xBB, 0x0B), // rtRepeaterVhf
    makeDefault(0x21, 0x02, 0x9A, 0x03), // rtVehicleUhf
    makeDefault(0x01, 0x02, 0xBA, 0x03), // rtStationaryUhf
    makeDefault(0x01, 0x02, 0xBA, 0x0B), // rtRepeaterUhf
};

} // namespace

const Image& defaultImage(RadioType type) {
    const int i = static_cast<int>(type);
    return kDefaults[(i >= 0 && i < kRadioTypeCount) ? i : 0];
}

void LoadDefault(int type, Image& image) {
    if (type < 0 || type >= kRadioTypeCount)
        return;
    image = kDefaults[type];
}

} // namespace ksv
