#pragma once

// The command line's "export-csv" and "import-csv": the channel table's CSV
// of src/formats.

#include "formats/channel_csv.h"

namespace ksv::cli {
using formats::CsvImport;
using formats::exportChannelsCsv;
using formats::importChannelsCsv;
} // namespace ksv::cli
