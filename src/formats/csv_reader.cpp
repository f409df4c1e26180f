#include "formats/csv_reader.h"

#include <algorithm>

namespace ksv::formats {
namespace {

// Line number of the first byte that is not valid UTF-8, or 0.
int firstInvalidUtf8Line(std::string_view s) {
    int line = 1;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return line;
        if (extra > 0 && i + extra >= s.size())
            return line;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return line;
        if (c == '\n')
            ++line;
        i += 1 + extra;
    }
    return 0;
}

char detectSeparator(std::string_view text) {
    // Count both candidates in the first record, outside quotes.
    int semicolons = 0, commas = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
    }
    return semicolons > 0 || commas == 0 ? ';' : ',';
}

bool blank(const CsvRecord& r) {
    for (const auto& f : r.fields)
        if (!trimmed(f).empty())
            return false;
    return true;
}

} // namespace

std::string trimmed(std::string_view t) {
    std::size_t a = 0, b = t.size();
    while (a < b && (t[a] == ' ' || t[a] == '\t'))
        ++a;
    while (b > a && (t[b - 1] == ' ' || t[b - 1] == '\t'))
        --b;
    return std::string(t.substr(a, b - a));
}

namespace {

// Splits the text into records and fields: a field that starts with a quote
// may hold separators, line breaks and doubled quotes; blank records are left
// out; every record keeps the line it starts on.
class CsvScanner {
public:
    CsvScanner(std::string_view text, char separator) : text_(text) {
        table_.separator = separator;
        record_.line = 1;
    }
    // False when a quote is still open at the end of the text.
    bool scan();
    CsvTable& table() { return table_; }
    int recordLine() const { return record_.line; }

private:
    void quotedChar(std::size_t& i);
    void plainChar(std::size_t& i);
    void endField();
    void endRecord();

    std::string_view text_;
    CsvTable table_;
    CsvRecord record_;
    std::string field_;
    int line_ = 1;
    bool quoted_ = false;
    bool fieldStarted_ = false;
};

bool CsvScanner::scan() {
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (quoted_)
            quotedChar(i);
        else
            plainChar(i);
    }
    if (quoted_)
        return false;
    if (!field_.empty() || !record_.fields.empty())
        endRecord();
    return true;
}

void CsvScanner::quotedChar(std::size_t& i) {
    const char c = text_[i];
    if (c == '"') {
        if (i + 1 < text_.size() && text_[i + 1] == '"') {
            field_ += '"';
            ++i;
        } else {
            quoted_ = false;
        }
        return;
    }
    if (c == '\n')
        ++line_;
    field_ += c;
}

void CsvScanner::plainChar(std::size_t& i) {
    const char c = text_[i];
    if (c == '"' && !fieldStarted_ && trimmed(field_).empty()) {
        field_.clear();
        quoted_ = true;
        fieldStarted_ = true;
    } else if (c == table_.separator) {
        endField();
    } else if (c == '\r' || c == '\n') {
        if (c == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n')
            ++i;
        endRecord();
        ++line_;
        record_.line = line_;
    } else {
        field_ += c;
        if (c != ' ' && c != '\t')
            fieldStarted_ = true;
    }
}

void CsvScanner::endField() {
    record_.fields.push_back(field_);
    field_.clear();
    fieldStarted_ = false;
}

void CsvScanner::endRecord() {
    endField();
    if (!blank(record_))
        table_.records.push_back(record_);
    record_ = CsvRecord{};
}

} // namespace

CsvParseResult parseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (const int bad = firstInvalidUtf8Line(text))
        return {std::nullopt, "строка " + std::to_string(bad) +
                                  ": текст не в кодировке UTF-8 (сохраните файл в UTF-8)"};
    CsvScanner scanner(text, detectSeparator(text));
    if (!scanner.scan())
        return {std::nullopt, "строка " + std::to_string(scanner.recordLine()) +
                                  ": кавычка не закрыта до конца файла"};
    if (scanner.table().records.empty())
        return {std::nullopt, "файл пуст"};
    return {std::move(scanner.table()), {}};
}

namespace {

// "12", "-0.5", "+3,25": an optional sign, digits and at most one decimal
// point or comma.
bool isNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    const std::size_t point = text.find_first_of(".,");
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (point == std::string_view::npos)
        return !text.empty() && digits(text);
    return text.size() > 1 && digits(text.substr(0, point)) && digits(text.substr(point + 1));
}

} // namespace

std::string csvField(const std::string& text, char separator) {
    // A spreadsheet takes such a text for a formula, even a quoted one.
    const bool formula =
        !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
    const std::string value = formula && !isNumber(text) ? "'" + text : text;
    if (value.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos)
        return value;
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace ksv::formats
