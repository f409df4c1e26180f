#pragma once

// The 256-byte settings image of one transceiver and typed access to its
// fields. Every value that spans bytes is little-endian. Bytes and bits the
// program does not interpret are never touched by these accessors.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace ksv {

constexpr std::size_t kImageSize = 256;
constexpr int kChannelCount = 40;

// Byte offsets of the image's fields.
namespace off {
constexpr int ToneDuration = 0;  // 8 x seconds
constexpr int ToneWords = 1;     // five tone words, low byte first: 1..10
constexpr int Detector = 11;     // receive tone detector coefficients: 11..15
constexpr int Channels = 16;     // forty 5-byte channel records: 16..215
constexpr int ChannelRecord = 5; // size of one channel record
constexpr int Group1First = 216; // channel number - 1
constexpr int Group1Last = 217;
constexpr int Group2First = 218;
constexpr int Group2Last = 219;
constexpr int TxLimit = 220;        // 0 = unlimited, k = 5 x k seconds
constexpr int ScanTimes = 221;      // bits 4-7 resume delay, bits 0-3 audio hold
constexpr int Options222 = 222;     // bit 5: listening with "ШП" not allowed
constexpr int Options223 = 223;     // bits 0-1 variant, 3 subtone cancel, 4 scrambler, 5 power
constexpr int CarrierTime = 224;    // units of 10 ms
constexpr int PriorityPeriod = 225; // units of 0.1 s
constexpr int FactoryLow = 226;
constexpr int FactoryMid = 227;
constexpr int FactoryHighBand = 228; // bits 4-7 factory number bits 16-19, bits 0-3 band
constexpr int Firmware = 229;
constexpr int RxTone = 231;          // (Hz - 500) / 10; 0xFF = standby reception off
constexpr int PriorityChannel = 249; // channel number - 1; 0xFF = off
constexpr int Checksum = 250;
constexpr int Group1Copy = 252;
constexpr int Group2Copy = 253;
constexpr int Model = 255; // bit 1 set on every store, bit 3 repeater
} // namespace off

// Bits of the option bytes and of a channel record's flags byte.
namespace bit {
constexpr int Prohibit = 0;      // channel flags: transmission prohibited
constexpr int TxOff = 1;         // channel flags: transmit frequency off
constexpr int ScanL = 6;         // channel flags: in scan list L
constexpr int ScanS = 7;         // channel flags: in scan list S
constexpr int NoShpListen = 5;   // byte 222
constexpr int SubtoneCancel = 3; // byte 223
constexpr int Scrambler = 4;     // byte 223
constexpr int PowerSet = 5;      // byte 223: 1 = vehicle power set
constexpr int Stored = 1;        // byte 255
constexpr int Repeater = 3;      // byte 255
} // namespace bit

constexpr std::uint8_t kStandbyOff = 0xFF;  // byte 231 when standby reception is off
constexpr std::uint8_t kPriorityOff = 0xFF; // byte 249 when priority scanning is off

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

// Bit operations on one byte.
constexpr void setBit(std::uint8_t& b, int n) {
    b = static_cast<std::uint8_t>(b | (1u << n));
}
constexpr void clearBit(std::uint8_t& b, int n) {
    b = static_cast<std::uint8_t>(b & ~(1u << n));
}
constexpr bool testBit(std::uint8_t b, int n) {
    return (b & (1u << n)) != 0;
}
constexpr void putBit(std::uint8_t& b, int n, bool on) {
    on ? setBit(b, n) : clearBit(b, n);
}

// Some bits of one byte: (offset, mask). A field of several such parts holds
// the parts' bits in order, lowest first, as one unsigned value.
struct FieldBits {
    int offset;
    std::uint8_t mask;
    bool operator==(const FieldBits&) const = default;
};
using FieldLayout = std::span<const FieldBits>;

// The value of a field whose offsets are counted from base, and its store;
// bits of the value beyond the field's width are dropped.
std::uint32_t readField(const std::uint8_t* base, FieldLayout layout);
void writeField(std::uint8_t* base, FieldLayout layout, std::uint32_t value);

// The five bytes of one channel record, read only.
class ConstChannelView {
public:
    explicit ConstChannelView(const std::uint8_t* record) : record_(record) {}
    std::uint32_t get(FieldLayout layout) const { return readField(record_, layout); }
    int rxCode() const;
    int txCode() const;
    int rxSubtone() const;
    int txSubtone() const;
    std::uint8_t flags() const;
    bool prohibited() const;
    bool txOff() const;
    bool scanS() const;
    bool scanL() const;

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
    void setRxCode(int code) const;
    void setTxCode(int code) const;
    void setRxSubtone(int code) const;
    void setTxSubtone(int code) const;
    void setFlag(int bitNo, bool on) const;
    void setProhibited(bool on) const { setFlag(bit::Prohibit, on); }
    void setTxOff(bool on) const { setFlag(bit::TxOff, on); }
    void setScanS(bool on) const { setFlag(bit::ScanS, on); }
    void setScanL(bool on) const { setFlag(bit::ScanL, on); }

private:
    std::uint8_t* record_;
};

using Bytes = std::array<std::uint8_t, kImageSize>;

// The settings image: the raw bytes plus named accessors over them.
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

    // A field of the image by its layout (image/layout.h).
    std::uint32_t get(FieldLayout layout) const { return readField(data(), layout); }
    void set(FieldLayout layout, std::uint32_t value) { writeField(data(), layout, value); }

    // Channel records, channel n = 1..40.
    static constexpr int recordOffset(int channel) {
        return off::Channels + off::ChannelRecord * (channel - 1);
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
    void setFlag(int ch, int bitNo, bool on) { channel(ch).setFlag(bitNo, on); }

    // Band nibble of byte 228: 1 = VHF, 2 = UHF, anything else is invalid.
    int band() const;
    static bool validBand(int band) { return band == 1 || band == 2; }

    // 20-bit factory number.
    std::uint32_t factoryNumber() const;

    // Tone word k = 1..5 as stored (low byte first).
    std::uint16_t toneWord(int k) const;
    void setToneWord(int k, std::uint16_t w);

    // Byte 223 bit 5: the vehicle output power set ("5-10-20 (Возимая)").
    bool powerSetBit() const;
    void setPowerSetBit(bool on);
    // Byte 255 bit 3: the set is a repeater (unless the power set bit wins).
    bool repeaterBit() const;
    void setRepeaterBit(bool on);
    // Byte 255 bit 1: set each time the window is stored into the image.
    bool storedBit() const;
    void setStoredBit(bool on);
    std::uint8_t checksum() const;
    void setChecksum(std::uint8_t crc);
    // Copy of group g's first channel (g = 1, 2), written with the group.
    std::uint8_t groupCopy(int g) const;
    void setGroupCopy(int g, std::uint8_t first);

private:
    Bytes bytes_;
};

// Radio type derived from bytes 223, 228 and 255; an invalid band gives 0.
RadioType RsType(const Image& image);

} // namespace ksv
