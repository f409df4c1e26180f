// Reading the channel table's own export format: the header names each
// column by the table's column name, one channel per row; an empty column is
// the value "not set", a missing column keeps the image's values.

#include "formats/channel_csv.h"
#include "formats/channel_rows.h"
#include "image/settings.h"

#include <map>

namespace ksv::formats {
namespace {

// Column 0 is the channel number; column k > 0 holds the k-th channel field
// that has a column.
constexpr int ColNumber = 0;

class OwnReader {
public:
    OwnReader(const CsvTable& table, const Image& base, const FrequencyRules& rules)
        : table_(table), base_(base), rules_(rules), names_(channelCsvColumns()) {
        for (const ChannelField& f : channelFields())
            if (*f.column)
                fields_.push_back(&f);
    }
    RowsRead read();

private:
    void mapColumns();
    std::optional<std::string> cell(const CsvRecord& rec, int col) const;
    void fail(const CsvRecord& rec, int col, const std::string& value, const std::string& problem);
    void noteFieldsBeyondHeader(const CsvRecord& rec);
    // The channel number; false when it is wrong or already taken.
    bool readNumber(const CsvRecord& rec, ChannelRow& row);
    void readFields(const CsvRecord& rec, ChannelRow& row);
    ValueCheck check(const ChannelField& field, const std::string& text) const;
    void checkLMark(const CsvRecord& rec, const ChannelRow& row);

    const CsvTable& table_;
    const Image& base_;
    const FrequencyRules& rules_;
    const std::vector<std::string>& names_;
    std::vector<const ChannelField*> fields_; // column k holds fields_[k - 1]
    std::map<int, int> columnOf_;             // Column -> field index
    std::map<int, int> seen_;                 // channel -> line
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
            out_.errors.add(where + ": неизвестный столбец \"" + name + "\"");
        else if (columnOf_.count(which))
            out_.errors.add(where + ": столбец \"" + name + "\" повторяется");
        else
            columnOf_[which] = static_cast<int>(i);
    }
    if (!columnOf_.count(ColNumber))
        out_.errors.add("Строка " + std::to_string(header.line) + ": нет столбца \"" +
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
    out_.errors.add(cellMessage(rec.line, names_[col], value, problem));
}

void OwnReader::noteFieldsBeyondHeader(const CsvRecord& rec) {
    for (std::size_t i = table_.records.front().fields.size(); i < rec.fields.size(); ++i)
        if (!trimmed(rec.fields[i]).empty())
            out_.errors.add("Строка " + std::to_string(rec.line) + ": значение \"" +
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

ValueCheck OwnReader::check(const ChannelField& field, const std::string& text) const {
    switch (field.kind) {
    case ChannelValue::Frequency:
        // The receive frequency must be given; the transmit one may be off.
        if (field.id == ChannelFieldId::Rx)
            return text.empty() ? ValueCheck{std::nullopt, "частота приема не задана"}
                                : checkFrequency(text, rules_);
        return checkTxFrequency(text, rules_);
    case ChannelValue::Subtone:
        return checkSubtone(text);
    case ChannelValue::Mark:
        break;
    }
    return checkMark(text, field);
}

void OwnReader::readFields(const CsvRecord& rec, ChannelRow& row) {
    for (int col = 1; col <= static_cast<int>(fields_.size()); ++col) {
        const ChannelField& field = *fields_[col - 1];
        const auto text = cell(rec, col);
        if (!text)
            continue;
        const ValueCheck c = check(field, *text);
        if (c.code)
            row[field.id] = c.code;
        else
            fail(rec, col, *text, c.problem);
    }
}

// As in the table, a new L mark needs priority scanning; a mark the image
// already holds may stay.
void OwnReader::checkLMark(const CsvRecord& rec, const ChannelRow& row) {
    const bool newMark = row[ChannelFieldId::ScanL].value_or(0) && !base_.scanL(row.channel);
    if (newMark && !priorityScanOn(base_))
        out_.errors.add(cellMessage(rec.line, channelField(ChannelFieldId::ScanL).column,
                                    kScanLMark, kLNeedsPriority));
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
        readFields(rec, row);
        if (numberOk) {
            checkLMark(rec, row);
            out_.rows.push_back(row);
        }
    }
    return std::move(out_);
}

} // namespace

RowsRead readOwnRows(const CsvTable& table, const Image& base, const FrequencyRules& rules) {
    return OwnReader(table, base, rules).read();
}

} // namespace ksv::formats
