#pragma once

// Conversions between fields of the settings image and the texts the window,
// the channel table and the printout show. All texts are UTF-8. Codecs that
// have something to tell the user return the message text; they never show it.

#include "image/image.h"
#include "image/mode.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ksv {

inline constexpr const char* kOff = "Откл";

// ---- Frequencies -----------------------------------------------------------

constexpr int kVhfBase = 147700; // kHz
constexpr int kUhfBase = 449700;
constexpr int kStep = 25;         // kHz per code
constexpr int kMaxFrqCode = 1023; // 10-bit field

constexpr int frequencyBase(RadioType t) {
    return isVhf(t) ? kVhfBase : kUhfBase;
}

struct Range {
    int min = 0; // kHz, inclusive
    int max = 0;
    bool operator==(const Range&) const = default;
};

// One or two inclusive ranges, as the range text names them.
struct RangeTable {
    int count = 0;
    std::array<Range, 2> ranges{};
    bool contains(int khz) const;
    bool operator==(const RangeTable&) const = default;
};

// "Откл" for code 0, otherwise base + 25 x code in decimal.
std::string FrqTxt(int code, RadioType type);

struct FrqCode {
    int code = 0;
    // Set when the text was not a number: the message the window shows.
    std::optional<std::string> error;
};

// Text to frequency code: "Откл" is 0; a number becomes (v - base) / 25,
// truncated toward zero; anything else becomes 0 with an error message. In
// mid-band mode the code is clamped into the first allowed range.
FrqCode TxtFrq(std::string_view text, RadioType type, OperatingMode mode, const RangeTable& ranges);

inline constexpr const char* kMsgOutOfRange = "Введите частоту в пределах отведенного диапазона";
inline constexpr const char* kMsgNot25 = "Введите частоту, кратную 25 кГц";

struct FrqCheck {
    bool ok = false;
    // The message that applies when the check fails and messages are wanted;
    // empty when the failure is silent (a six-character text that is no number).
    std::string message;
};

// Validation of a typed frequency against the allowed ranges.
FrqCheck TestFrq(std::string_view text, const RangeTable& ranges);

// ---- Ranges per type and mode ------------------------------------------------

enum class TabVisibility { Show, Hide, Unchanged };

// What choosing a radio type means for the window: the range text, the
// allowed ranges, the scrambler list, and two visibility decisions the
// window applies to its controls.
struct Diap {
    std::string text; // e.g. "Тарвен-52: 148000-149000, 171150-173000 кГц"
    RangeTable ranges;
    std::vector<std::string> scramblerItems; // items of the "УПР: " list
    bool hideScramblerBar = false;           // mid-band mode hides that tool bar
    TabVisibility toneTab = TabVisibility::Unchanged;
};

Diap DiapTxt(RadioType type, OperatingMode mode);

// ---- Subtones ------------------------------------------------------------------

constexpr int kSubtoneCount = 50;
const std::array<const char*, kSubtoneCount>& subtoneTable();

// "Откл" for 0, the table entry for 1..50. Codes 51..63 have no tone; they
// are shown as "#51".."#63", a text TxtSub maps back to the same code so that
// a value the program cannot name survives a store unchanged.
std::string SubTxt(int code);

// "Откл" and unlisted texts give 0; table texts give their 1-based position.
int TxtSub(std::string_view text);

// 1-based position of the first entry equal to text among table[0..highest], 0 if none.
int FindSubton(std::string_view text, const std::array<const char*, kSubtoneCount>& table,
               int highest);

// ---- Factory number, firmware, channel marks -----------------------------------------

// Decimal factory number zero-filled to six digits; a number above 999999
// keeps all seven digits.
std::string ZnTxt(const Image& image);

// Stores the low 20 bits of n into bytes 226..228, keeping the band nibble.
void ZnToBuf(std::uint32_t n, Image& image);

// Firmware version "v div 10.v mod 10"; "21.0" reads "0.1".
std::string VerTxt(const Image& image);

// The channel table's marks of a record's flags.
inline constexpr const char* kProhibitMark = "Запрет";
inline constexpr const char* kScanSMark = "S";
inline constexpr const char* kScanLMark = "L";
std::string ZapTxt(std::uint8_t flags); // "Запрет" or ""
std::string STxt(std::uint8_t flags);   // "S" or ""
std::string LTxt(std::uint8_t flags);   // "L" or ""

// ---- Hex pair ------------------------------------------------------------------------------

// Two upper-case hexadecimal digits to a byte value. Anything else (lower
// case, other characters) has no value: nullopt, so the caller must refuse it.
std::optional<std::uint8_t> hexPair(char hi, char lo);

// A byte as two upper-case hexadecimal digits.
std::string hexByte(std::uint8_t v);

// ---- Tone signalling and standby reception -------------------------------------------------

constexpr int kToneMin = 500; // Hz
constexpr int kToneMax = 3000;

// Tone word of f Hz: N = round(18000000 / (8 f)) (half to even), stored as the
// 16-bit ones' complement of N, low byte first.
std::uint16_t toneEncode(int hz);

// Frequency of a stored tone word, rounded to whole tens of Hz (half to even).
// A word of 0xFFFF (N = 0) has no frequency: nullopt.
std::optional<int> toneDecode(std::uint16_t word);

// Bytes 11..15 for receive tone f Hz (500..3000).
std::array<std::uint8_t, 5> detectorCoefficients(int hz);

// Bytes 11..15 while standby reception is off.
inline constexpr std::array<std::uint8_t, 5> kDetectorOff = {0x80, 0xFF, 0xFF, 0x80, 0x00};

} // namespace ksv
