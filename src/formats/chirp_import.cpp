// Reading a channel list exported by CHIRP: one memory per row, frequencies
// in MHz, the transmit frequency given by Duplex and Offset, subtones by the
// tone mode. What our channels cannot hold (digital codes, names, modes,
// memories beyond channel 40) is reported and skipped.

#include "formats/channel_csv.h"
#include "formats/channel_rows.h"

#include <algorithm>
#include <map>
#include <set>

namespace ksv::formats {
namespace {

using Id = ChannelFieldId;

// Columns this import reads; all others are reported as not carried over.
const std::set<std::string> kUsedColumns = {"Location", "Frequency",  "Duplex",      "Offset",
                                            "Tone",     "rToneFreq",  "cToneFreq",   "CrossMode",
                                            "DtcsCode", "RxDtcsCode", "DtcsPolarity"};

// MHz with up to six decimals to kHz; nullopt with a problem otherwise.
struct Khz {
    std::optional<long> khz;
    std::string problem;
};

Khz mhzToKhz(const std::string& t) {
    long whole = 0, hz = 0;
    int fracDigits = 0;
    bool point = false, digits = false;
    for (const char c : t) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!point) {
                if (whole > 100000)
                    return {std::nullopt, "слишком большое число"};
                whole = whole * 10 + (c - '0');
            } else if (fracDigits < 6) {
                hz = hz * 10 + (c - '0');
                ++fracDigits;
            } else if (c != '0') {
                return {std::nullopt, "частота точнее 1 Гц"};
            }
        } else {
            return {std::nullopt, "это не частота в МГц"};
        }
    }
    if (!digits)
        return {std::nullopt, "это не частота в МГц"};
    for (; fracDigits < 6; ++fracDigits)
        hz *= 10;
    if (hz % 1000 != 0)
        return {std::nullopt, "частота не кратна 25 кГц"};
    return {whole * 1000 + hz / 1000, {}};
}

std::string khzText(long khz) {
    return std::to_string(khz);
}

} // namespace

bool isChirpHeader(const CsvRecord& header) {
    bool location = false, frequency = false;
    for (const auto& f : header.fields) {
        const std::string n = trimmed(f);
        location = location || n == "Location";
        frequency = frequency || n == "Frequency";
    }
    return location && frequency;
}

namespace {

// Reads a CHIRP export column kind by column kind: the placement of each
// memory, its frequencies and its subtones. Errors and notes are collected
// in the order the rows and their columns come.
class ChirpReader {
public:
    ChirpReader(const CsvTable& table, const FrequencyRules& rules);
    RowsRead read();

private:
    std::string cell(const CsvRecord& rec, const std::string& name) const;
    void fail(const CsvRecord& rec, const std::string& column, const std::string& problem);
    void noteUnusedColumns();
    // The "Location" of every row; shift becomes 1 when memories count from 0.
    std::vector<std::optional<int>> readLocations(int& shift);
    // Where the row goes: false when it is skipped or wrong.
    bool place(const CsvRecord& rec, const std::optional<int>& loc, int shift, ChannelRow& row);
    std::optional<long> readReceive(const CsvRecord& rec, ChannelRow& row);
    void readTransmit(const CsvRecord& rec, std::optional<long> rxKhz, ChannelRow& row);
    void readSubtones(const CsvRecord& rec, ChannelRow& row);
    void readCrossSubtones(const CsvRecord& rec, ChannelRow& row);
    void readSubtone(const CsvRecord& rec, const std::string& column, std::optional<int>& into);
    void noteSkippedSubtone(const CsvRecord& rec, const ChannelRow& row, const std::string& what);

    const CsvTable& table_;
    const FrequencyRules& rules_;
    std::map<std::string, std::size_t> column_; // header name -> first index
    std::map<int, int> seen_;                   // channel -> line that set it
    RowsRead out_;
};

ChirpReader::ChirpReader(const CsvTable& table, const FrequencyRules& rules)
    : table_(table), rules_(rules) {
    const CsvRecord& header = table.records.front();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string n = trimmed(header.fields[i]);
        if (!column_.count(n))
            column_[n] = i;
    }
}

std::string ChirpReader::cell(const CsvRecord& rec, const std::string& name) const {
    const auto it = column_.find(name);
    if (it == column_.end() || it->second >= rec.fields.size())
        return {};
    return trimmed(rec.fields[it->second]);
}

void ChirpReader::fail(const CsvRecord& rec, const std::string& column,
                       const std::string& problem) {
    out_.errors.add(cellMessage(rec.line, column, cell(rec, column), problem));
}

// Columns with data that has no place in our channels, named once. The
// rows are looked at once each, so that a wide and long file stays quick.
void ChirpReader::noteUnusedColumns() {
    const CsvRecord& header = table_.records.front();
    std::vector<bool> filled(header.fields.size());
    for (auto r = table_.records.begin() + 1; r != table_.records.end(); ++r)
        for (std::size_t i = 0; i < std::min(r->fields.size(), filled.size()); ++i)
            filled[i] = filled[i] || r->fields[i].find_first_not_of(" \t") != std::string::npos;
    std::string list;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string n = trimmed(header.fields[i]);
        if (filled[i] && !n.empty() && !kUsedColumns.count(n))
            list += (list.empty() ? "" : ", ") + n;
    }
    if (!list.empty())
        out_.notes.add("Не переносятся (в радиостанции нет таких установок): " + list);
}

// CHIRP numbers memories from 0 on many radios; then memory 0 becomes channel 1.
std::vector<std::optional<int>> ChirpReader::readLocations(int& shift) {
    std::vector<std::optional<int>> locations;
    int lowest = 1;
    for (std::size_t r = 1; r < table_.records.size(); ++r) {
        const std::string t = cell(table_.records[r], "Location");
        std::optional<int> loc;
        if (!t.empty() && t.size() <= 6 && t.find_first_not_of("0123456789") == std::string::npos)
            loc = std::stoi(t);
        locations.push_back(loc);
        if (loc)
            lowest = std::min(lowest, *loc);
    }
    shift = lowest == 0 ? 1 : 0;
    if (shift)
        out_.notes.add("Ячейки CHIRP нумеруются с 0: ячейка 0 записана в канал 1, "
                       "ячейка N — в канал N+1");
    return locations;
}

bool ChirpReader::place(const CsvRecord& rec, const std::optional<int>& loc, int shift,
                        ChannelRow& row) {
    if (!loc) {
        fail(rec, "Location", "номер ячейки должен быть целым числом");
        return false;
    }
    row.line = rec.line;
    row.channel = *loc + shift;
    if (row.channel > kChannelCount) {
        out_.notes.add("Строка " + std::to_string(rec.line) + ": ячейка " + std::to_string(*loc) +
                       " пропущена — в радиостанции 40 каналов");
        return false;
    }
    if (seen_.count(row.channel)) {
        fail(rec, "Location",
             "канал " + std::to_string(row.channel) + " уже задан в строке " +
                 std::to_string(seen_[row.channel]));
        return false;
    }
    seen_[row.channel] = rec.line;
    return true;
}

// The receive frequency; its kHz when it is a frequency at all.
std::optional<long> ChirpReader::readReceive(const CsvRecord& rec, ChannelRow& row) {
    const Khz rx = mhzToKhz(cell(rec, "Frequency"));
    if (!rx.khz) {
        fail(rec, "Frequency", rx.problem);
        return std::nullopt;
    }
    const ValueCheck c = checkFrequency(khzText(*rx.khz), rules_);
    if (c.code)
        row[Id::Rx] = c.code;
    else
        fail(rec, "Frequency", khzText(*rx.khz) + " кГц: " + c.problem);
    return rx.khz;
}

// The transmit frequency from Duplex and Offset.
void ChirpReader::readTransmit(const CsvRecord& rec, std::optional<long> rxKhz, ChannelRow& row) {
    const std::string duplex = cell(rec, "Duplex");
    std::optional<long> txKhz;
    if (duplex == "off") {
        row[Id::Tx] = 0;
    } else if (duplex.empty()) {
        row[Id::Tx] = row[Id::Rx]; // simplex: the receive frequency, already checked
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
        const Khz offset = mhzToKhz(cell(rec, "Offset"));
        if (!offset.khz)
            fail(rec, "Offset", offset.problem);
        else if (duplex == "split")
            txKhz = offset.khz;
        else if (rxKhz)
            txKhz = duplex == "+" ? *rxKhz + *offset.khz : *rxKhz - *offset.khz;
    } else {
        fail(rec, "Duplex", "ожидается пустое значение, +, -, split или off");
    }
    if (!txKhz)
        return;
    const ValueCheck c = checkFrequency(khzText(*txKhz), rules_);
    if (c.code)
        row[Id::Tx] = c.code;
    else
        fail(rec, "Offset", "частота передачи " + khzText(*txKhz) + " кГц: " + c.problem);
}

void ChirpReader::readSubtone(const CsvRecord& rec, const std::string& column,
                              std::optional<int>& into) {
    const ValueCheck c = checkSubtone(cell(rec, column));
    if (c.code)
        into = c.code;
    else
        fail(rec, column, c.problem);
}

void ChirpReader::noteSkippedSubtone(const CsvRecord& rec, const ChannelRow& row,
                                     const std::string& what) {
    out_.notes.add("Строка " + std::to_string(rec.line) + ", канал " + std::to_string(row.channel) +
                   ": " + what + " не поддерживается радиостанцией, субтон не задан");
}

// Subtones from the tone mode: Tone sends rToneFreq; TSQL sends and expects
// cToneFreq; Cross names both sides as "transmit->receive".
void ChirpReader::readSubtones(const CsvRecord& rec, ChannelRow& row) {
    const std::string mode = cell(rec, "Tone");
    row[Id::RxSubtone] = 0;
    row[Id::TxSubtone] = 0;
    if (mode == "Tone") {
        readSubtone(rec, "rToneFreq", row[Id::TxSubtone]);
    } else if (mode == "TSQL") {
        readSubtone(rec, "cToneFreq", row[Id::RxSubtone]);
        row[Id::TxSubtone] = row[Id::RxSubtone];
    } else if (mode == "DTCS") {
        noteSkippedSubtone(rec, row, "цифровой код DTCS");
    } else if (mode == "TSQL-R" || mode == "DTCS-R") {
        noteSkippedSubtone(rec, row, "обратный шумоподавитель " + mode);
    } else if (mode == "Cross") {
        readCrossSubtones(rec, row);
    } else if (!mode.empty()) {
        fail(rec, "Tone", "ожидается пустое значение, Tone, TSQL, DTCS или Cross");
    }
}

void ChirpReader::readCrossSubtones(const CsvRecord& rec, ChannelRow& row) {
    const std::string cross = cell(rec, "CrossMode");
    const auto arrow = cross.find("->");
    if (arrow == std::string::npos) {
        fail(rec, "CrossMode", "ожидается вид \"Tone->Tone\"");
        return;
    }
    const auto side = [&](const std::string& kind, const char* column, std::optional<int>& into,
                          const char* name) {
        if (kind == "Tone")
            readSubtone(rec, column, into);
        else if (kind == "DTCS")
            noteSkippedSubtone(rec, row, std::string("цифровой код DTCS ") + name);
        else if (!kind.empty())
            fail(rec, "CrossMode", "неизвестный вид \"" + kind + "\"");
    };
    side(cross.substr(0, arrow), "rToneFreq", row[Id::TxSubtone], "передачи");
    side(cross.substr(arrow + 2), "cToneFreq", row[Id::RxSubtone], "приема");
}

RowsRead ChirpReader::read() {
    noteUnusedColumns();
    int shift = 0;
    const auto locations = readLocations(shift);
    for (std::size_t r = 1; r < table_.records.size(); ++r) {
        const CsvRecord& rec = table_.records[r];
        ChannelRow row;
        if (!place(rec, locations[r - 1], shift, row))
            continue;
        const std::optional<long> rxKhz = readReceive(rec, row);
        readTransmit(rec, rxKhz, row);
        readSubtones(rec, row);
        out_.rows.push_back(row);
    }
    return std::move(out_);
}

} // namespace

RowsRead readChirpRows(const CsvTable& table, const FrequencyRules& rules) {
    return ChirpReader(table, rules).read();
}

} // namespace ksv::formats
