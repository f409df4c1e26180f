#include "cli/csv_reader.h"

namespace ksv::cli {
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

CsvParseResult parseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (const int bad = firstInvalidUtf8Line(text))
        return {std::nullopt, "строка " + std::to_string(bad) +
                                  ": текст не в кодировке UTF-8 (сохраните файл в UTF-8)"};

    CsvTable table;
    table.separator = detectSeparator(text);
    CsvRecord record;
    std::string field;
    int line = 1;
    record.line = 1;
    bool quoted = false;
    bool fieldStarted = false;
    const auto endRecord = [&] {
        record.fields.push_back(field);
        if (!blank(record))
            table.records.push_back(record);
        record = CsvRecord{};
        field.clear();
        fieldStarted = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && !fieldStarted && trimmed(field).empty()) {
            field.clear();
            quoted = true;
            fieldStarted = true;
        } else if (c == table.separator) {
            record.fields.push_back(field);
            field.clear();
            fieldStarted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRecord();
            ++line;
            record.line = line;
        } else {
            field += c;
            if (c != ' ' && c != '\t')
                fieldStarted = true;
        }
    }
    if (quoted)
        return {std::nullopt,
                "строка " + std::to_string(record.line) + ": кавычка не закрыта до конца файла"};
    if (!field.empty() || !record.fields.empty())
        endRecord();
    if (table.records.empty())
        return {std::nullopt, "файл пуст"};
    return {table, {}};
}

std::string csvField(const std::string& value, char separator) {
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

} // namespace ksv::cli
