// Reading the channel table's own export format: the header names each
// column by the table's column name, one channel per row; an empty column is
// the value "not set", a missing column keeps the image's values.

#include "cli/channel_csv.h"
#include "cli/channel_rows.h"

#include <map>

namespace ksv::cli {
namespace {

enum Column { ColNumber, ColRx, ColTx, ColRxSub, ColTxSub, ColProhibit, ColScanS, ColScanL };

// A mark column: its own mark, or empty.
std::optional<bool> checkMark(const std::string& text, const char* mark) {
    if (text.empty())
        return false;
    if (text == mark)
        return true;
    return std::nullopt;
}

// The L-list refusal of the channel table, on one line.
const char* const kLNeedsPriority = "для формирования списка L следует включить функцию "
                                    "\"Сканирование приоритетного канала\" во вкладке "
                                    "\"Сканирование\" и задать номер приоритетного канала";

class OwnReader {
public:
    OwnReader(const CsvTable& table, const Image& base, const FrequencyRules& rules)
        : table_(table), base_(base), rules_(rules), names_(channelCsvColumns()) {}
    RowsRead read();

private:
    void mapColumns();
    std::optional<std::string> cell(const CsvRecord& rec, int col) const;
    void fail(const CsvRecord& rec, int col, const std::string& value, const std::string& problem);
    void noteFieldsBeyondHeader(const CsvRecord& rec);
    // The channel number; false when it is wrong or already taken.
    bool readNumber(const CsvRecord& rec, ChannelRow& row);
    void readValues(const CsvRecord& rec, ChannelRow& row);
    void take(const CsvRecord& rec, int col, const ValueCheck& check, std::optional<int>& into);
    void readMarks(const CsvRecord& rec, ChannelRow& row, bool numberOk);
    void readMark(const CsvRecord& rec, int col, const char* text, std::optional<bool>& into);

    const CsvTable& table_;
    const Image& base_;
    const FrequencyRules& rules_;
    const std::vector<std::string>& names_;
    std::map<int, int> columnOf_; // Column -> field index
    std::map<int, int> seen_;     // channel -> line
    RowsRead out_;
};

void OwnReader::mapColumns() {
    const CsvRecord& header = table_.records.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = trimmed(header.fields[i]);
        int which = -1;
        for (std::size_t k = 0; k < names_.size(); ++k)
            if (name == names_[k])
                which = static_cast<int>(k);
        const std::string where =
            "Строка " + std::to_string(header.line) + ", столбец " + std::to_string(i + 1);
        if (which < 0 && name.empty())
            continue;
        if (which < 0)
            out_.errors.push_back(where + ": неизвестный столбец \"" + name + "\"");
        else if (columnOf_.count(which))
            out_.errors.push_back(where + ": столбец \"" + name + "\" повторяется");
        else
            columnOf_[which] = static_cast<int>(i);
    }
    if (!columnOf_.count(ColNumber))
        out_.errors.push_back("Строка " + std::to_string(header.line) + ": нет столбца \"" +
                              names_[ColNumber] + "\"");
}

std::optional<std::string> OwnReader::cell(const CsvRecord& rec, int col) const {
    const auto it = columnOf_.find(col);
    if (it == columnOf_.end())
        return std::nullopt;
    const auto i = static_cast<std::size_t>(it->second);
    return i < rec.fields.size() ? trimmed(rec.fields[i]) : std::string();
}

void OwnReader::fail(const CsvRecord& rec, int col, const std::string& value,
                     const std::string& problem) {
    out_.errors.push_back(cellMessage(rec.line, names_[col], value, problem));
}

void OwnReader::noteFieldsBeyondHeader(const CsvRecord& rec) {
    for (std::size_t i = table_.records.front().fields.size(); i < rec.fields.size(); ++i)
        if (!trimmed(rec.fields[i]).empty())
            out_.errors.push_back("Строка " + std::to_string(rec.line) + ": значение \"" +
                                  trimmed(rec.fields[i]) + "\" вне столбцов заголовка");
}

bool OwnReader::readNumber(const CsvRecord& rec, ChannelRow& row) {
    const std::string number = *cell(rec, ColNumber);
    const bool digits = number.size() <= 2 && !number.empty() &&
                        number.find_first_not_of("0123456789") == std::string::npos;
    row.channel = digits ? std::stoi(number) : 0;
    if (row.channel < 1 || row.channel > kChannelCount) {
        fail(rec, ColNumber, number, "номер канала должен быть от 1 до 40");
        return false;
    }
    if (seen_.count(row.channel)) {
        fail(rec, ColNumber, number,
             "канал уже задан в строке " + std::to_string(seen_[row.channel]));
        return false;
    }
    seen_[row.channel] = rec.line;
    return true;
}

void OwnReader::take(const CsvRecord& rec, int col, const ValueCheck& check,
                     std::optional<int>& into) {
    if (check.code)
        into = check.code;
    else
        fail(rec, col, *cell(rec, col), check.problem);
}

// Frequencies and subtones.
void OwnReader::readValues(const CsvRecord& rec, ChannelRow& row) {
    if (const auto v = cell(rec, ColRx)) {
        if (v->empty())
            fail(rec, ColRx, *v, "частота приема не задана");
        else
            take(rec, ColRx, checkFrequency(*v, rules_), row.rx);
    }
    if (const auto v = cell(rec, ColTx))
        take(rec, ColTx, checkTxFrequency(*v, rules_), row.tx);
    if (const auto v = cell(rec, ColRxSub))
        take(rec, ColRxSub, checkSubtone(*v), row.rxSubtone);
    if (const auto v = cell(rec, ColTxSub))
        take(rec, ColTxSub, checkSubtone(*v), row.txSubtone);
}

void OwnReader::readMark(const CsvRecord& rec, int col, const char* text,
                         std::optional<bool>& into) {
    const auto v = cell(rec, col);
    if (!v)
        return;
    into = checkMark(*v, text);
    if (!into)
        fail(rec, col, *v, std::string("ожидается \"") + text + "\" или пустое значение");
}

void OwnReader::readMarks(const CsvRecord& rec, ChannelRow& row, bool numberOk) {
    readMark(rec, ColProhibit, "Запрет", row.prohibit);
    readMark(rec, ColScanS, "S", row.scanS);
    readMark(rec, ColScanL, "L", row.scanL);
    // As in the table, a new L mark needs priority scanning; a mark the
    // image already holds may stay.
    const bool priorityOn = base_[off::PriorityChannel] != kPriorityOff;
    if (numberOk && row.scanL.value_or(false) && !priorityOn && !base_.scanL(row.channel))
        fail(rec, ColScanL, "L", kLNeedsPriority);
}

RowsRead OwnReader::read() {
    mapColumns();
    if (!out_.errors.empty())
        return std::move(out_);
    for (std::size_t r = 1; r < table_.records.size(); ++r) {
        const CsvRecord& rec = table_.records[r];
        noteFieldsBeyondHeader(rec);
        ChannelRow row;
        row.line = rec.line;
        const bool numberOk = readNumber(rec, row);
        readValues(rec, row);
        readMarks(rec, row, numberOk);
        if (numberOk)
            out_.rows.push_back(row);
    }
    return std::move(out_);
}

} // namespace

RowsRead readOwnRows(const CsvTable& table, const Image& base, const FrequencyRules& rules) {
    return OwnReader(table, base, rules).read();
}

} // namespace ksv::cli
