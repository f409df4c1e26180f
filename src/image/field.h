#pragma once

// How a field of the settings image is declared: the bits it occupies and
// its codec, the rule that turns those bits into its value and back. The
// fields themselves are declared once, in image/image_map.h.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace ksv {

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

// ---- Codecs ---------------------------------------------------------------------------

namespace codec {

// The bits as an unsigned number: a frequency or subtone code, a list's code,
// a tone word, the factory number.
struct Number {
    using Value = int;
    static constexpr Value decode(std::uint32_t raw) { return static_cast<int>(raw); }
    static constexpr std::uint32_t encode(Value v) { return static_cast<std::uint32_t>(v); }
};

// One bit: set or not.
struct Flag {
    using Value = bool;
    static constexpr Value decode(std::uint32_t raw) { return raw != 0; }
    static constexpr std::uint32_t encode(Value v) { return v ? 1 : 0; }
};

// The receive tone of standby reception: (Hz - 500) / 10 in a byte, 0xFF
// for standby reception off (no value). Bytes 251 to 254 read as 3010 to
// 3040 Hz, beyond what the window offers.
struct ReceiveTone {
    using Value = std::optional<int>; // Hz
    static constexpr std::uint8_t kOff = 0xFF;
    static constexpr int kLowest = 500;
    static constexpr int kStepHz = 10;
    static constexpr Value decode(std::uint32_t raw) {
        return raw == kOff ? Value() : Value(static_cast<int>(raw) * kStepHz + kLowest);
    }
    static constexpr std::uint32_t encode(Value hz) {
        return hz ? static_cast<std::uint32_t>((*hz - kLowest) / kStepHz) : kOff;
    }
};

// A channel as its number minus 1 in a byte, 0xFF for none (priority
// scanning off). Bytes 40 to 254 read as channels 41 to 255, which the
// image does not hold.
struct ChannelOrNone {
    using Value = std::optional<int>; // channel number 1..
    static constexpr std::uint8_t kNone = 0xFF;
    static constexpr Value decode(std::uint32_t raw) {
        return raw == kNone ? Value() : Value(static_cast<int>(raw) + 1);
    }
    static constexpr std::uint32_t encode(Value channel) {
        return channel ? static_cast<std::uint32_t>(*channel - 1) : kNone;
    }
};

} // namespace codec

// A field: where its bits lie and the codec of its value.
template <typename Codec, std::size_t Parts = 1> struct Field {
    using Value = typename Codec::Value;
    std::array<FieldBits, Parts> parts;

    constexpr FieldLayout bits() const { return parts; }
    // The byte of its first (lowest) part.
    constexpr int offset() const { return parts.front().offset; }
    // The mask of a field within one byte.
    constexpr std::uint8_t mask() const requires(Parts == 1) { return parts.front().mask; }
    // The value of the field in the bytes from base on, and its store.
    Value read(const std::uint8_t* base) const { return Codec::decode(readField(base, bits())); }
    void write(std::uint8_t* base, Value v) const { writeField(base, bits(), Codec::encode(v)); }
};

// Whole bytes that are read as bytes: the detector coefficients, the tone
// words as a block, bytes the program keeps without reading them.
template <std::size_t Count> struct ByteRun {
    int offset;
    static constexpr std::size_t size() { return Count; }
    constexpr int last() const { return offset + static_cast<int>(Count) - 1; }
    constexpr std::array<FieldBits, Count> bits() const {
        std::array<FieldBits, Count> b{};
        for (std::size_t i = 0; i < Count; ++i)
            b[i] = {offset + static_cast<int>(i), 0xFF};
        return b;
    }
};

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

} // namespace ksv
