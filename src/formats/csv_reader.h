#pragma once

// A CSV reader for channel lists: UTF-8 with or without a byte order mark,
// fields separated by ";" or "," (whichever the header line uses), quoted
// fields with doubled quotes inside, CR LF or LF line ends. Empty lines are
// skipped. Every record keeps the line number it starts on, for messages.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ksv::formats {

// Begins every CSV file the program writes, so that a spreadsheet (Excel on
// a Russian Windows above all) reads it as UTF-8, not in the ANSI code page.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct CsvRecord {
    int line = 0; // 1-based line of the file where the record starts
    std::vector<std::string> fields;
};

struct CsvTable {
    char separator = ';';
    std::vector<CsvRecord> records; // the header first
};

struct CsvParseResult {
    std::optional<CsvTable> table;
    std::string error; // set when table is empty
};

CsvParseResult parseCsv(std::string_view text);

// One field for writing: a text beginning with "=", "+", "-", "@", a tab
// or a carriage return, unless it is a number, gets an apostrophe before
// it, so that a spreadsheet shows it instead of running it as a formula
// (a file name may be "=HYPERLINK(…)"); quoted when it holds the separator,
// a quote or a line break.
std::string csvField(const std::string& text, char separator);

// The text without spaces and tabs at either end.
std::string trimmed(std::string_view text);

} // namespace ksv::formats
