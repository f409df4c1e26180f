#pragma once

// Channel values read from one row of an imported table, before they are
// applied to an image.

#include "cli/channel_values.h"
#include "cli/csv_reader.h"
#include "image/image.h"

#include <optional>
#include <string>
#include <vector>

namespace ksv::cli {

struct ChannelRow {
    int line = 0;
    int channel = 0;                                 // 1..40
    std::optional<int> rx, tx, rxSubtone, txSubtone; // codes; empty keeps the image's value
    std::optional<bool> prohibit, scanS, scanL;
};

struct RowsRead {
    std::vector<ChannelRow> rows;
    std::vector<std::string> errors;
    std::vector<std::string> notes;
};

// A CHIRP export: its header names "Location" and "Frequency".
bool isChirpHeader(const CsvRecord& header);

// Reads the rows of the table's own export format (header first); an L mark
// the base image does not hold needs priority scanning there.
RowsRead readOwnRows(const CsvTable& table, const Image& base, const FrequencyRules& rules);

// Reads the rows of a CHIRP export (header first).
RowsRead readChirpRows(const CsvTable& table, const FrequencyRules& rules);

} // namespace ksv::cli
