#pragma once

// Channel values read from one row of an imported table, before they are
// applied to an image.

#include "formats/channel_values.h"
#include "formats/csv_reader.h"
#include "formats/message_list.h"
#include "image/fields.h"
#include "image/image.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ksv::formats {

struct ChannelRow {
    int line = 0;
    int channel = 0; // 1..40
    // The value of each channel field (a mark is 0 or 1); empty keeps the
    // image's value.
    std::array<std::optional<int>, kChannelFieldCount> values;

    std::optional<int>& operator[](ChannelFieldId id) {
        return values[static_cast<std::size_t>(id)];
    }
    const std::optional<int>& operator[](ChannelFieldId id) const {
        return values[static_cast<std::size_t>(id)];
    }
};

struct RowsRead {
    std::vector<ChannelRow> rows;
    MessageList errors;
    MessageList notes;
};

// A CHIRP export: its header names "Location" and "Frequency".
bool isChirpHeader(const CsvRecord& header);

// Reads the rows of the table's own export format (header first); an L mark
// the base image does not hold needs priority scanning there.
RowsRead readOwnRows(const CsvTable& table, const Image& base, const FrequencyRules& rules);

// Reads the rows of a CHIRP export (header first).
RowsRead readChirpRows(const CsvTable& table, const FrequencyRules& rules);

} // namespace ksv::formats
