#pragma once

// The 256-byte settings image of one transceiver and typed access to its
// fields. Every value that spans bytes is little-endian. Bytes and bits the
// program does not interpret are never touched by these accessors.

#include "image/image_map.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ksv {

enum RadioType : int {
    rtVehicleVhf = 0,
    rtStationaryVhf = 1,
    rtRepeaterVhf = 2,
    rtVehicleUhf = 3,
    rtStationaryUhf = 4,
    rtRepeaterUhf = 5,
};
constexpr int kRadioTypeCount = 6;

constexpr bool isVhf(RadioType t) {
    return t < rtVehicleUhf;
}
constexpr bool isRepeater(RadioType t) {
    return t == rtRepeaterVhf || t == rtRepeaterUhf;
}

// Model name of a type, e.g. "Тарвен-52" (UTF-8).
const char* modelName(RadioType t);

// The five bytes of one channel record, read only.
class ConstChannelView {
public:
    explicit ConstChannelView(const std::uint8_t* record) : record_(record) {}
    std::uint32_t get(FieldLayout layout) const { return readField(record_, layout); }
    // A field of map::record.
    template <typename Codec, std::size_t N>
    typename Codec::Value get(const Field<Codec, N>& field) const {
        return field.read(record_);
    }
    int rxCode() const { return get(map::record::RxCode); }
    int txCode() const { return get(map::record::TxCode); }
    int rxSubtone() const { return get(map::record::RxSubtone); }
    int txSubtone() const { return get(map::record::TxSubtone); }
    std::uint8_t flags() const { return record_[map::record::FlagsByte]; }
    bool prohibited() const { return get(map::record::Prohibit); }
    bool txOff() const { return get(map::record::TxOff); }
    bool scanS() const { return get(map::record::ScanS); }
    bool scanL() const { return get(map::record::ScanL); }

private:
    const std::uint8_t* record_;
};

// The five bytes of one channel record. Setters store only the bits of their
// field; codes wider than the field lose their high bits, as the transceiver
// would.
class ChannelView : public ConstChannelView {
public:
    explicit ChannelView(std::uint8_t* record) : ConstChannelView(record), record_(record) {}
    void set(FieldLayout layout, std::uint32_t value) const { writeField(record_, layout, value); }
    template <typename Codec, std::size_t N>
    void set(const Field<Codec, N>& field, typename Codec::Value value) const {
        field.write(record_, value);
    }
    void setRxCode(int code) const { set(map::record::RxCode, code); }
    void setTxCode(int code) const { set(map::record::TxCode, code); }
    void setRxSubtone(int code) const { set(map::record::RxSubtone, code); }
    void setTxSubtone(int code) const { set(map::record::TxSubtone, code); }
    void setProhibited(bool on) const { set(map::record::Prohibit, on); }
    void setTxOff(bool on) const { set(map::record::TxOff, on); }
    void setScanS(bool on) const { set(map::record::ScanS, on); }
    void setScanL(bool on) const { set(map::record::ScanL, on); }

private:
    std::uint8_t* record_;
};

using Bytes = std::array<std::uint8_t, kImageSize>;

// The settings image: the raw bytes plus typed access to the fields of
// image/image_map.h.
class Image {
public:
    Image() { bytes_.fill(0); }
    explicit Image(const Bytes& b) : bytes_(b) {}

    std::uint8_t& operator[](std::size_t i) { return bytes_[i]; }
    std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kImageSize; }
    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }
    bool operator==(const Image&) const = default;

    // A field of the map, as its codec reads it, and its store.
    template <typename Codec, std::size_t N>
    typename Codec::Value get(const Field<Codec, N>& field) const {
        return field.read(data());
    }
    template <typename Codec, std::size_t N>
    void set(const Field<Codec, N>& field, typename Codec::Value value) {
        field.write(data(), value);
    }
    // The raw bits of a field, for tables that hold fields of every codec.
    std::uint32_t get(FieldLayout layout) const { return readField(data(), layout); }
    void set(FieldLayout layout, std::uint32_t value) { writeField(data(), layout, value); }
    // Whole bytes of a run.
    template <std::size_t N> std::array<std::uint8_t, N> get(const ByteRun<N>& run) const {
        std::array<std::uint8_t, N> out{};
        for (std::size_t i = 0; i < N; ++i)
            out[i] = bytes_[static_cast<std::size_t>(run.offset) + i];
        return out;
    }
    template <std::size_t N>
    void set(const ByteRun<N>& run, const std::array<std::uint8_t, N>& value) {
        for (std::size_t i = 0; i < N; ++i)
            bytes_[static_cast<std::size_t>(run.offset) + i] = value[i];
    }

    // Channel records, channel n = 1..40.
    static constexpr int recordOffset(int channel) {
        return map::FirstRecord + map::RecordSize * (channel - 1);
    }
    ConstChannelView channel(int ch) const { return ConstChannelView(data() + recordOffset(ch)); }
    ChannelView channel(int ch) { return ChannelView(data() + recordOffset(ch)); }
    int rxCode(int ch) const { return channel(ch).rxCode(); }
    int txCode(int ch) const { return channel(ch).txCode(); }
    int rxSubtone(int ch) const { return channel(ch).rxSubtone(); }
    int txSubtone(int ch) const { return channel(ch).txSubtone(); }
    std::uint8_t flags(int ch) const { return channel(ch).flags(); }
    bool prohibited(int ch) const { return channel(ch).prohibited(); }
    bool txOff(int ch) const { return channel(ch).txOff(); }
    bool scanS(int ch) const { return channel(ch).scanS(); }
    bool scanL(int ch) const { return channel(ch).scanL(); }
    void setRxCode(int ch, int code) { channel(ch).setRxCode(code); }
    void setTxCode(int ch, int code) { channel(ch).setTxCode(code); }
    void setRxSubtone(int ch, int code) { channel(ch).setRxSubtone(code); }
    void setTxSubtone(int ch, int code) { channel(ch).setTxSubtone(code); }

    // Band nibble of byte 228: 1 = VHF, 2 = UHF, anything else is invalid.
    int band() const { return get(map::Band); }
    static bool validBand(int band) { return band == 1 || band == 2; }

    std::uint32_t factoryNumber() const {
        return static_cast<std::uint32_t>(get(map::FactoryNumber));
    }

    // Tone word k = 1..5 as stored (low byte first).
    std::uint16_t toneWord(int k) const {
        return static_cast<std::uint16_t>(get(map::toneWord(k)));
    }
    void setToneWord(int k, std::uint16_t w) { set(map::toneWord(k), w); }

    // The vehicle output power set ("5-10-20 (Возимая)").
    bool powerSetBit() const { return get(map::PowerSet); }
    void setPowerSetBit(bool on) { set(map::PowerSet, on); }
    // The set is a repeater (unless the power set bit wins).
    bool repeaterBit() const { return get(map::Repeater); }
    void setRepeaterBit(bool on) { set(map::Repeater, on); }
    // Set each time the window is stored into the image.
    bool storedBit() const { return get(map::Stored); }
    void setStoredBit(bool on) { set(map::Stored, on); }
    std::uint8_t checksum() const { return static_cast<std::uint8_t>(get(map::Checksum)); }
    void setChecksum(std::uint8_t crc) { set(map::Checksum, crc); }
    // Copy of group g's first channel (g = 1, 2), written with the group.
    std::uint8_t groupCopy(int g) const {
        return static_cast<std::uint8_t>(get(g == 1 ? map::Group1Copy : map::Group2Copy));
    }
    void setGroupCopy(int g, std::uint8_t first) {
        set(g == 1 ? map::Group1Copy : map::Group2Copy, first);
    }

private:
    Bytes bytes_;
};

// Radio type derived from bytes 223, 228 and 255; an invalid band gives 0.
RadioType RsType(const Image& image);

} // namespace ksv
