#pragma once

// Cells of the channel table as a spreadsheet exchanges them: tab-separated
// text, one line per channel, each cell as the table shows it ("148500",
// "Откл", "88.5", "S"). A block of cells is copied as such text, and such
// text is pasted into the table, each cell checked as a typed value is:
// nothing is pasted unless every cell passes and the text fits the table.

#include "formats/channel_values.h"
#include "image/image.h"

#include <string>
#include <string_view>
#include <vector>

namespace ksv::formats {

// Channel 1..40 and column 0..6 of the table (tableColumns()).
struct TableCell {
    int channel = 1;
    int column = 0;
    bool operator==(const TableCell&) const = default;
};

// The rectangle of cells between two corners, inclusive.
struct CellBlock {
    TableCell first;
    TableCell last;
    bool operator==(const CellBlock&) const = default;
};

// The block's cells; every line, one channel, ends with a line feed.
std::string cellsText(const Image& image, const CellBlock& block);

// The longest text a paste takes. The whole table as text is under 2 KB;
// the rest is room for spaces, quotes and a spreadsheet's empty columns. A
// longer text is refused before it is split into cells (a cell costs some
// 40 bytes, a clipboard may hold hundreds of megabytes).
inline constexpr std::size_t kMaxPastedText = 64 * 1024;

// The lines of a tab-separated text and their cells, trimmed; "\r\n" and
// "\n" end a line, and a line break at the end of the text ends its last
// line.
std::vector<std::vector<std::string>> splitCells(std::string_view text);

// Whether a paste reads the text as more than one cell. A text longer than
// any paste takes counts as several, so that it reaches the paste, which
// refuses it, instead of a cell's editor.
bool holdsSeveralCells(std::string_view text);

struct PasteRules {
    FrequencyRules frequencies;    // the allowed ranges of the window's type and mode
    bool priorityScanning = false; // a new L mark needs priority scanning
};

struct Paste {
    bool ok = false;
    Image image;         // the image with the pasted cells (unchanged when not ok)
    std::string message; // why nothing was pasted
    CellBlock block;     // the cells the text went into
};

// Pastes the text's cells into the table from cell at on. A text of a single
// cell goes into every cell of fill instead, when fill holds more than one.
Paste pasteCells(const Image& image, std::string_view text, TableCell at,
                 const std::vector<TableCell>& fill, const PasteRules& rules);

} // namespace ksv::formats
