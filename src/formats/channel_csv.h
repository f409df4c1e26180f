#pragma once

// The channel table as CSV: export with the table's column names and ";",
// import of that format or of a channel list exported by CHIRP. An import
// checks every value first and changes nothing unless all rows pass.

#include "image/image.h"
#include "image/mode.h"

#include <string>
#include <string_view>
#include <vector>

namespace ksv::formats {

// Column names of the export, in table order.
const std::vector<std::string>& channelCsvColumns();

// Header and 40 rows, separator ";", lines ended by "\n", no byte order mark.
std::string exportChannelsCsv(const Image& image);

struct CsvImport {
    bool ok = false;
    // On success: the base image with the imported channels, finished as the
    // window's store finishes it (image/normalise.h).
    Image image;
    // Every failure with its row and column, what was skipped or adapted:
    // the first few dozen of each, then "… и ещё N ошибок" ("замечаний").
    std::vector<std::string> errors;
    std::vector<std::string> notes;
    int channels = 0;   // channels taken from the file
    bool chirp = false; // the file was a CHIRP export
};

// Channels not named in the file keep the base image's values; bits of the
// records that the table does not show are kept as well.
CsvImport importChannelsCsv(std::string_view text, const Image& base, OperatingMode mode);

// Shared by both formats: a message about one cell.
std::string cellMessage(int line, const std::string& column, const std::string& value,
                        const std::string& problem);

} // namespace ksv::formats
