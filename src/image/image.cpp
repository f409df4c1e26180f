#include "image/image.h"

#include "image/layout.h"

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

int ConstChannelView::rxCode() const {
    return static_cast<int>(get(layout::record::RxCode));
}
int ConstChannelView::txCode() const {
    return static_cast<int>(get(layout::record::TxCode));
}
int ConstChannelView::rxSubtone() const {
    return static_cast<int>(get(layout::record::RxSubtone));
}
int ConstChannelView::txSubtone() const {
    return static_cast<int>(get(layout::record::TxSubtone));
}
std::uint8_t ConstChannelView::flags() const {
    return record_[layout::record::FlagsByte];
}
bool ConstChannelView::prohibited() const {
    return get(layout::record::Prohibit) != 0;
}
bool ConstChannelView::txOff() const {
    return get(layout::record::TxOff) != 0;
}
bool ConstChannelView::scanS() const {
    return get(layout::record::ScanS) != 0;
}
bool ConstChannelView::scanL() const {
    return get(layout::record::ScanL) != 0;
}

void ChannelView::setRxCode(int code) const {
    set(layout::record::RxCode, static_cast<std::uint32_t>(code));
}
void ChannelView::setTxCode(int code) const {
    set(layout::record::TxCode, static_cast<std::uint32_t>(code));
}
void ChannelView::setRxSubtone(int code) const {
    set(layout::record::RxSubtone, static_cast<std::uint32_t>(code));
}
void ChannelView::setTxSubtone(int code) const {
    set(layout::record::TxSubtone, static_cast<std::uint32_t>(code));
}
void ChannelView::setFlag(int bitNo, bool on) const {
    putBit(record_[layout::record::FlagsByte], bitNo, on);
}

int Image::band() const {
    return static_cast<int>(get(layout::Band));
}

std::uint32_t Image::factoryNumber() const {
    return get(layout::FactoryNumber);
}

std::uint16_t Image::toneWord(int k) const {
    return static_cast<std::uint16_t>(get(layout::toneWord(k)));
}

void Image::setToneWord(int k, std::uint16_t w) {
    set(layout::toneWord(k), w);
}

bool Image::powerSetBit() const {
    return get(layout::PowerSet) != 0;
}
void Image::setPowerSetBit(bool on) {
    set(layout::PowerSet, on);
}
bool Image::repeaterBit() const {
    return get(layout::Repeater) != 0;
}
void Image::setRepeaterBit(bool on) {
    set(layout::Repeater, on);
}
bool Image::storedBit() const {
    return get(layout::Stored) != 0;
}
void Image::setStoredBit(bool on) {
    set(layout::Stored, on);
}
std::uint8_t Image::checksum() const {
    return static_cast<std::uint8_t>(get(layout::Checksum));
}
void Image::setChecksum(std::uint8_t crc) {
    set(layout::Checksum, crc);
}
namespace {
FieldLayout groupCopyLayout(int g) {
    return g == 1 ? FieldLayout(layout::Group1Copy) : FieldLayout(layout::Group2Copy);
}
} // namespace

std::uint8_t Image::groupCopy(int g) const {
    return static_cast<std::uint8_t>(get(groupCopyLayout(g)));
}
void Image::setGroupCopy(int g, std::uint8_t first) {
    set(groupCopyLayout(g), first);
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
