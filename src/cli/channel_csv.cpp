#include "cli/channel_csv.h"

#include "cli/channel_rows.h"
#include "cli/csv_reader.h"
#include "image/checksum.h"
#include "image/codecs.h"

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

RowsRead readOwnRows(const CsvTable& table, const Image& base, const FrequencyRules& rules) {
    RowsRead out;
    const auto& names = channelCsvColumns();
    const CsvRecord& header = table.records.front();
    std::map<int, int> columnOf; // Column -> field index
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = trimmed(header.fields[i]);
        int which = -1;
        for (std::size_t k = 0; k < names.size(); ++k)
            if (name == names[k])
                which = static_cast<int>(k);
        const std::string where =
            "Строка " + std::to_string(header.line) + ", столбец " + std::to_string(i + 1);
        if (which < 0 && name.empty())
            continue;
        if (which < 0)
            out.errors.push_back(where + ": неизвестный столбец \"" + name + "\"");
        else if (columnOf.count(which))
            out.errors.push_back(where + ": столбец \"" + name + "\" повторяется");
        else
            columnOf[which] = static_cast<int>(i);
    }
    if (!columnOf.count(ColNumber))
        out.errors.push_back("Строка " + std::to_string(header.line) + ": нет столбца \"" +
                             names[ColNumber] + "\"");
    if (!out.errors.empty())
        return out;

    const bool priorityOn = base[off::PriorityChannel] != kPriorityOff;
    std::map<int, int> seen; // channel -> line
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& rec = table.records[r];
        const auto cell = [&](int col) -> std::optional<std::string> {
            const auto it = columnOf.find(col);
            if (it == columnOf.end())
                return std::nullopt;
            const auto i = static_cast<std::size_t>(it->second);
            return i < rec.fields.size() ? trimmed(rec.fields[i]) : std::string();
        };
        const auto fail = [&](int col, const std::string& value, const std::string& problem) {
            out.errors.push_back(cellMessage(rec.line, names[col], value, problem));
        };
        for (std::size_t i = header.fields.size(); i < rec.fields.size(); ++i)
            if (!trimmed(rec.fields[i]).empty())
                out.errors.push_back("Строка " + std::to_string(rec.line) + ": значение \"" +
                                     trimmed(rec.fields[i]) + "\" вне столбцов заголовка");

        ChannelRow row;
        row.line = rec.line;
        const std::string number = *cell(ColNumber);
        bool numberOk = number.size() <= 2 && !number.empty() &&
                        number.find_first_not_of("0123456789") == std::string::npos;
        row.channel = numberOk ? std::stoi(number) : 0;
        if (row.channel < 1 || row.channel > kChannelCount) {
            fail(ColNumber, number, "номер канала должен быть от 1 до 40");
            numberOk = false;
        } else if (seen.count(row.channel)) {
            fail(ColNumber, number,
                 "канал уже задан в строке " + std::to_string(seen[row.channel]));
            numberOk = false;
        } else {
            seen[row.channel] = rec.line;
        }

        const auto take = [&](int col, const ValueCheck& check, std::optional<int>& into) {
            if (check.code)
                into = check.code;
            else
                fail(col, *cell(col), check.problem);
        };
        if (const auto v = cell(ColRx)) {
            if (v->empty())
                fail(ColRx, *v, "частота приема не задана");
            else
                take(ColRx, checkFrequency(*v, rules), row.rx);
        }
        if (const auto v = cell(ColTx))
            take(ColTx, checkTxFrequency(*v, rules), row.tx);
        if (const auto v = cell(ColRxSub))
            take(ColRxSub, checkSubtone(*v), row.rxSubtone);
        if (const auto v = cell(ColTxSub))
            take(ColTxSub, checkSubtone(*v), row.txSubtone);

        const auto mark = [&](int col, const char* text, std::optional<bool>& into) {
            const auto v = cell(col);
            if (!v)
                return;
            into = checkMark(*v, text);
            if (!into)
                fail(col, *v, std::string("ожидается \"") + text + "\" или пустое значение");
        };
        mark(ColProhibit, "Запрет", row.prohibit);
        mark(ColScanS, "S", row.scanS);
        mark(ColScanL, "L", row.scanL);
        // As in the table, a new L mark needs priority scanning; a mark the
        // image already holds may stay.
        if (numberOk && row.scanL.value_or(false) && !priorityOn && !base.scanL(row.channel))
            fail(ColScanL, "L", kLNeedsPriority);
        if (numberOk)
            out.rows.push_back(row);
    }
    return out;
}

Image applyRows(const Image& base, const std::vector<ChannelRow>& rows) {
    Image im = base;
    for (const ChannelRow& r : rows) {
        const int ch = r.channel;
        if (r.rx)
            im.setRxCode(ch, *r.rx);
        if (r.tx)
            im.setTxCode(ch, *r.tx);
        if (r.rxSubtone)
            im.setRxSubtone(ch, *r.rxSubtone);
        if (r.txSubtone)
            im.setTxSubtone(ch, *r.txSubtone);
        if (r.prohibit)
            im.setFlag(ch, bit::Prohibit, *r.prohibit);
        if (r.scanS)
            im.setFlag(ch, bit::ScanS, *r.scanS);
        if (r.scanL)
            im.setFlag(ch, bit::ScanL, *r.scanL);
        // As the window stores it: the transmit-off bit follows the transmit frequency.
        im.setFlag(ch, bit::TxOff, im.txCode(ch) == 0);
    }
    im[off::Checksum] = CalcCRC(im);
    return im;
}

} // namespace

const std::vector<std::string>& channelCsvColumns() {
    static const std::vector<std::string> names = {
        "№",          "Частота ПРМ, кГц", "Частота ПРД, кГц", "Субтон ПРМ, Гц", "Субтон ПРД, Гц",
        "Запрет ПРД", "Список скан.",     "Список L",
    };
    return names;
}

std::string exportChannelsCsv(const Image& im) {
    const char sep = ';';
    std::string out;
    const auto row = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? std::string(1, sep) : std::string()) + csvField(cells[i], sep);
        out += "\n";
    };
    row(channelCsvColumns());
    const RadioType t = RsType(im);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const std::uint8_t f = im.flags(ch);
        row({std::to_string(ch), FrqTxt(im.rxCode(ch), t), FrqTxt(im.txCode(ch), t),
             SubTxt(im.rxSubtone(ch)), SubTxt(im.txSubtone(ch)), ZapTxt(f), STxt(f), LTxt(f)});
    }
    return out;
}

std::string cellMessage(int line, const std::string& column, const std::string& value,
                        const std::string& problem) {
    return "Строка " + std::to_string(line) + ", столбец \"" + column + "\", значение \"" + value +
           "\": " + problem;
}

CsvImport importChannelsCsv(std::string_view text, const Image& base, OperatingMode mode) {
    CsvImport out;
    const CsvParseResult parsed = parseCsv(text);
    if (!parsed.table) {
        out.errors.push_back(parsed.error);
        return out;
    }
    const FrequencyRules rules = frequencyRules(base, mode);
    out.chirp = isChirpHeader(parsed.table->records.front());
    RowsRead rows =
        out.chirp ? readChirpRows(*parsed.table, rules) : readOwnRows(*parsed.table, base, rules);
    out.notes = std::move(rows.notes);
    out.errors = std::move(rows.errors);
    if (out.errors.empty() && rows.rows.empty())
        out.errors.push_back("в файле нет ни одного канала");
    if (!out.errors.empty())
        return out;
    out.image = applyRows(base, rows.rows);
    out.channels = static_cast<int>(rows.rows.size());
    out.ok = true;
    return out;
}

} // namespace ksv::cli
