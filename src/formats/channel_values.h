#pragma once

// Checking channel values typed in a table (CSV) against what the channel
// table's editors accept: frequencies in kHz inside the allowed ranges of the
// radio type and operating mode and on the 25 kHz raster, subtones from the
// subtone table.

#include "image/codecs.h"
#include "image/fields.h"
#include "image/image.h"
#include "image/mode.h"

#include <optional>
#include <string>
#include <string_view>

namespace ksv::formats {

// The allowed ranges and their text for an image's type in a mode.
struct FrequencyRules {
    RadioType type = rtVehicleVhf;
    OperatingMode mode = omUser;
    Diap diap;
};
FrequencyRules frequencyRules(const Image& image, OperatingMode mode);

struct ValueCheck {
    std::optional<int> code; // the field's code when the value is accepted
    std::string problem;     // why it is not (Russian), when code is empty
};

// A frequency in kHz ("148025"); "Откл" gives code 0 (the channel table's
// own text, which an image may hold in either column).
ValueCheck checkFrequency(std::string_view text, const FrequencyRules& rules);

// The same for a transmit frequency, where an empty text and "0" also mean
// "Откл", as in the transmit editor.
ValueCheck checkTxFrequency(std::string_view text, const FrequencyRules& rules);

// A subtone: "Откл" or empty gives 0; a table text gives its code; a number
// written differently ("67", "88,50") is matched by its value; "#51".."#63"
// (codes without a tone, as the program shows them) are kept.
ValueCheck checkSubtone(std::string_view text);

// A mark: the field's own mark (1) or empty (0).
ValueCheck checkMark(std::string_view text, const ChannelField& field);

// The L-list refusal of the channel table, on one line.
inline constexpr const char* kLNeedsPriority =
    "для формирования списка L следует включить функцию "
    "\"Сканирование приоритетного канала\" во вкладке "
    "\"Сканирование\" и задать номер приоритетного канала";

} // namespace ksv::formats
