#pragma once

// The 256-byte settings image of one transceiver and typed access to its
// fields. Every value that spans bytes is little-endian. Bytes and bits the
// program does not interpret are never touched by these accessors.

#include <array>
#include <cstddef>
#include <cstdint>

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

    // Channel records, channel n = 1..40.
    static constexpr int recordOffset(int channel) {
        return off::Channels + off::ChannelRecord * (channel - 1);
    }
    int rxCode(int ch) const;
    int txCode(int ch) const;
    int rxSubtone(int ch) const;
    int txSubtone(int ch) const;
    std::uint8_t flags(int ch) const { return bytes_[recordOffset(ch) + 4]; }
    bool prohibited(int ch) const { return testBit(flags(ch), bit::Prohibit); }
    bool txOff(int ch) const { return testBit(flags(ch), bit::TxOff); }
    bool scanS(int ch) const { return testBit(flags(ch), bit::ScanS); }
    bool scanL(int ch) const { return testBit(flags(ch), bit::ScanL); }

    // Setters store only the bits of their field; codes wider than the
    // field lose their high bits, as the transceiver would.
    void setRxCode(int ch, int code);
    void setTxCode(int ch, int code);
    void setRxSubtone(int ch, int code);
    void setTxSubtone(int ch, int code);
    void setFlag(int ch, int bitNo, bool on) { putBit(bytes_[recordOffset(ch) + 4], bitNo, on); }

    // Band nibble of byte 228: 1 = VHF, 2 = UHF, anything else is invalid.
    int band() const { return bytes_[off::FactoryHighBand] & 0x0F; }
    static bool validBand(int band) { return band == 1 || band == 2; }

    // 20-bit factory number.
    std::uint32_t factoryNumber() const;

    // Tone word k = 1..5 as stored (low byte first).
    std::uint16_t toneWord(int k) const;
    void setToneWord(int k, std::uint16_t w);

private:
    Bytes bytes_;
};

// Radio type derived from bytes 223, 228 and 255; an invalid band gives 0.
RadioType RsType(const Image& image);

} // namespace ksv
