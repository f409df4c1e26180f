#include "formats/channel_cells.h"

#include "formats/csv_reader.h"
#include "image/fields.h"
#include "serial/os/utf8.h"

#include <algorithm>

namespace ksv::formats {
namespace {

using Lines = std::vector<std::vector<std::string>>;

constexpr int kShownProblems = 5;
const char* const kNotPasted = "Данные не вставлены";
const char* const kTooLong =
    "Данные не вставлены: в буфере обмена больше 64 КБ текста, а вся таблица каналов "
    "занимает около 2 КБ.";
static_assert(kMaxPastedText == 64 * 1024, "the message names the limit");

int columnCount() {
    return static_cast<int>(tableColumns().size());
}

const ChannelField& columnField(int column) {
    return *tableColumns()[static_cast<std::size_t>(column)];
}

std::string columnName(int column) {
    return std::string("\"") + columnField(column).column + "\"";
}

// What a text in the cell stores, checked as the cell's editor checks what
// is typed (a new L mark needs priority scanning, as a click does).
ValueCheck checkCell(const Image& image, TableCell cell, const std::string& text,
                     const PasteRules& rules) {
    const ChannelField& field = columnField(cell.column);
    switch (field.kind) {
    case ChannelValue::Frequency:
        return field.id == ChannelFieldId::Tx ? checkTxFrequency(text, rules.frequencies)
                                              : checkFrequency(text, rules.frequencies);
    case ChannelValue::Subtone:
        return checkSubtone(text);
    case ChannelValue::Mark:
        break;
    }
    const ValueCheck mark = checkMark(text, field);
    const bool newL = field.id == ChannelFieldId::ScanL && mark.code == 1 &&
                      field.get(image.channel(cell.channel)) == 0;
    if (newL && !rules.priorityScanning)
        return {std::nullopt, kLNeedsPriority};
    return mark;
}

// The cells each text goes into, or the reason the text does not fit.
struct Placed {
    std::vector<std::pair<TableCell, std::string>> cells;
    std::string overflow;
};

Placed placeBlock(const Lines& lines, TableCell at) {
    Placed out;
    const int lastChannel = at.channel + static_cast<int>(lines.size()) - 1;
    if (lastChannel > kChannelCount) {
        out.overflow = std::string(kNotPasted) + ": вставка с канала " +
                       std::to_string(at.channel) + " заходит за канал " +
                       std::to_string(kChannelCount) +
                       " (строк в тексте: " + std::to_string(lines.size()) + ").";
        return out;
    }
    for (std::size_t r = 0; r < lines.size(); ++r) {
        for (std::size_t c = 0; c < lines[r].size(); ++c) {
            const TableCell cell{at.channel + static_cast<int>(r), at.column + static_cast<int>(c)};
            if (cell.column < columnCount()) {
                out.cells.emplace_back(cell, lines[r][c]);
            } else if (!lines[r][c].empty()) {
                out.overflow = std::string(kNotPasted) + ": вставка со столбца " +
                               columnName(at.column) + " заходит за столбец " +
                               columnName(columnCount() - 1) +
                               " (столбцов в тексте: " + std::to_string(lines[r].size()) + ").";
                return out;
            }
        }
    }
    return out;
}

Placed placeCells(const Lines& lines, TableCell at, const std::vector<TableCell>& fill) {
    if (lines.size() == 1 && lines[0].size() == 1 && fill.size() > 1) {
        Placed out;
        for (const TableCell& cell : fill)
            out.cells.emplace_back(cell, lines[0][0]);
        return out;
    }
    return placeBlock(lines, at);
}

std::string problemsMessage(const std::vector<std::string>& problems) {
    std::string message = std::string(kNotPasted) + ":";
    for (std::size_t i = 0; i < problems.size() && i < kShownProblems; ++i)
        message += "\n" + problems[i];
    if (problems.size() > kShownProblems)
        message += "\nДругих ошибок: " + std::to_string(problems.size() - kShownProblems) + ".";
    return message;
}

CellBlock blockOf(const Placed& placed) {
    CellBlock block{placed.cells.front().first, placed.cells.front().first};
    for (const auto& [cell, text] : placed.cells) {
        block.first = {std::min(block.first.channel, cell.channel),
                       std::min(block.first.column, cell.column)};
        block.last = {std::max(block.last.channel, cell.channel),
                      std::max(block.last.column, cell.column)};
    }
    return block;
}

} // namespace

std::string cellsText(const Image& image, const CellBlock& block) {
    std::string text;
    for (int n = block.first.channel; n <= block.last.channel; ++n) {
        for (int c = block.first.column; c <= block.last.column; ++c) {
            text += columnField(c).cell(image.channel(n), RsType(image));
            text += c < block.last.column ? '\t' : '\n';
        }
    }
    return text;
}

bool holdsSeveralCells(std::string_view text) {
    if (text.size() > kMaxPastedText)
        return true;
    const Lines lines = splitCells(text);
    return lines.size() > 1 || (lines.size() == 1 && lines.front().size() > 1);
}

Lines splitCells(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string>& cells = lines.emplace_back();
        for (std::size_t from = 0;;) {
            const std::size_t tab = std::min(line.find('\t', from), line.size());
            cells.push_back(trimmed(line.substr(from, tab - from)));
            if (tab == line.size())
                break;
            from = tab + 1;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

Paste pasteCells(const Image& image, std::string_view text, TableCell at,
                 const std::vector<TableCell>& fill, const PasteRules& rules) {
    Paste out{false, image, {}, {at, at}};
    if (text.size() > kMaxPastedText) {
        out.message = kTooLong;
        return out;
    }
    const Lines lines = splitCells(text);
    if (lines.empty())
        return out;
    const Placed placed = placeCells(lines, at, fill);
    if (!placed.overflow.empty()) {
        out.message = placed.overflow;
        return out;
    }
    if (placed.cells.empty())
        return out;
    std::vector<std::string> problems;
    for (const auto& [cell, value] : placed.cells) {
        const ValueCheck check = checkCell(image, cell, value, rules);
        if (check.code)
            columnField(cell.column).set(out.image.channel(cell.channel), *check.code);
        else
            problems.push_back("Канал " + std::to_string(cell.channel) + ", столбец " +
                               columnName(cell.column) + ", значение \"" +
                               os::printableText(value) + "\": " + check.problem);
    }
    if (!problems.empty()) {
        out.image = image;
        out.message = problemsMessage(problems);
        return out;
    }
    out.ok = true;
    out.block = blockOf(placed);
    return out;
}

} // namespace ksv::formats
