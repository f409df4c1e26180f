#pragma once

// Every field of the settings image as the program presents it: the bits it
// occupies (from the map, image/image_map.h), the text of its value, the
// command line's label and JSON key, its section and whether a write into a
// transceiver may change it; the bits the map declares not interpreted, and
// the bytes a write may change at all. The readable report, the JSON, the
// field-level comparison and the channel table's CSV iterate these tables.

#include "image/image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ksv {

// ---- Writing into a transceiver ---------------------------------------------------------

enum class WriteRule {
    Always,       // 0..225, 231, 249..255
    NumberChange, // 226..228: only when a factory number change is allowed
    Never,        // 229, 230, 232..248: the transceiver keeps its value
};

// The rule of one byte; offsets outside the image are never written.
WriteRule byteWriteRule(int offset);

constexpr bool writeAllowed(WriteRule rule, bool numberChangeAllowed) {
    return rule == WriteRule::Always || (rule == WriteRule::NumberChange && numberChangeAllowed);
}

// ---- The fields of a channel record -----------------------------------------------------------

enum class ChannelFieldId { Rx, Tx, RxSubtone, TxSubtone, Prohibit, ScanS, ScanL, TxOff };
constexpr int kChannelFieldCount = 8;

enum class ChannelValue { Frequency, Subtone, Mark };

struct ChannelField {
    ChannelFieldId id;
    ChannelValue kind;
    FieldLayout bits;    // offsets within the record
    const char* label;   // "Частота ПРМ, кГц": the report and the comparison
    const char* column;  // column of the CSV, "" when the field is no column
    const char* heading; // heading in the report's channel table, "" for none
    const char* key;     // key in the JSON channel objects, "" for none
    const char* mark;    // text the channel table shows for a set mark, "" for none
    const char* caption; // the channel table's two-line column caption, "" for no column

    int get(ConstChannelView record) const;
    void set(ChannelView record, int value) const;
    // What the channel table shows: the frequency, the subtone, or the mark
    // ("" when not set).
    std::string cell(ConstChannelView record, RadioType type) const;
    // The value in words: as the cell, but "Да" or "Нет" for a mark.
    std::string text(ConstChannelView record, RadioType type) const;
};

// In the channel table's column order, then the transmit-off bit, which the
// table shows as "Откл" in the transmit column.
const std::array<ChannelField, kChannelFieldCount>& channelFields();
const ChannelField& channelField(ChannelFieldId id);

// The channel table's columns: the fields with a caption, in declaration order.
const std::vector<const ChannelField*>& tableColumns();

// ---- Every field of the image -------------------------------------------------------------------

enum class Section { Channel, Main, Scan, Tones, Device };

struct ImageField {
    Section section = Section::Main;
    int channel = 0;   // 1..40 for channel fields, else 0
    std::string label; // "Частота ПРМ, кГц"
    std::string key;   // JSON key of the report's "settings" object ("" for none)
    std::vector<FieldBits> bits;
    std::function<std::string(const Image&)> text;
    WriteRule write = WriteRule::Always; // the rule of the field's bytes

    bool differs(const Image& a, const Image& b) const;
    // Whether the field occupies exactly these bits.
    bool is(FieldLayout layout) const;
};

// Every field, channels first (channel 1 to 40, in table column order), then
// the settings in page order, then the device bytes.
const std::vector<ImageField>& imageFields();

// The bits of each byte that some field covers.
const std::array<std::uint8_t, kImageSize>& coveredBits();

// The bits of each byte that the program does not interpret: no operation
// changes them, they travel as the default image, the file or the
// transceiver supplied them.
const std::array<std::uint8_t, kImageSize>& uninterpretedBits();

// ---- Texts and facts the fields share ----------------------------------------------------------

// "0x9B"
std::string hexText(std::uint8_t byte);

// Text of a value that no list item shows: "? (0x2A)".
std::string unlistedText(std::uint8_t byte);

// Whether a channel lies in one of the two groups (a group whose selectors
// cannot show its bytes counts as empty).
bool channelInUse(const Image& image, int channel);

} // namespace ksv
