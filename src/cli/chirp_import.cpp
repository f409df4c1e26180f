// Reading a channel list exported by CHIRP: one memory per row, frequencies
// in MHz, the transmit frequency given by Duplex and Offset, subtones by the
// tone mode. What our channels cannot hold (digital codes, names, modes,
// memories beyond channel 40) is reported and skipped.

#include "cli/channel_csv.h"
#include "cli/channel_rows.h"

#include <algorithm>
#include <map>
#include <set>

namespace ksv::cli {
namespace {

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

RowsRead readChirpRows(const CsvTable& table, const FrequencyRules& rules) {
    RowsRead out;
    const CsvRecord& header = table.records.front();
    std::map<std::string, std::size_t> col;
    std::vector<std::string> unused;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string n = trimmed(header.fields[i]);
        if (!col.count(n))
            col[n] = i;
    }
    const auto cell = [&](const CsvRecord& rec, const std::string& name) -> std::string {
        const auto it = col.find(name);
        if (it == col.end() || it->second >= rec.fields.size())
            return {};
        return trimmed(rec.fields[it->second]);
    };

    // Columns with data that has no place in our channels, named once.
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string n = trimmed(header.fields[i]);
        if (n.empty() || kUsedColumns.count(n))
            continue;
        for (std::size_t r = 1; r < table.records.size(); ++r)
            if (i < table.records[r].fields.size() &&
                !trimmed(table.records[r].fields[i]).empty()) {
                unused.push_back(n);
                break;
            }
    }
    if (!unused.empty()) {
        std::string list;
        for (const auto& n : unused)
            list += (list.empty() ? "" : ", ") + n;
        out.notes.push_back("Не переносятся (в радиостанции нет таких установок): " + list);
    }

    // CHIRP numbers memories from 0 on many radios; then memory 0 becomes channel 1.
    std::vector<std::optional<int>> locations;
    int lowest = 1;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const std::string t = cell(table.records[r], "Location");
        std::optional<int> loc;
        if (!t.empty() && t.size() <= 6 && t.find_first_not_of("0123456789") == std::string::npos)
            loc = std::stoi(t);
        locations.push_back(loc);
        if (loc)
            lowest = std::min(lowest, *loc);
    }
    const int shift = lowest == 0 ? 1 : 0;
    if (shift)
        out.notes.push_back("Ячейки CHIRP нумеруются с 0: ячейка 0 записана в канал 1, "
                            "ячейка N — в канал N+1");

    std::map<int, int> seen;
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& rec = table.records[r];
        const std::string line = "Строка " + std::to_string(rec.line);
        const auto fail = [&](const std::string& column, const std::string& problem) {
            out.errors.push_back(cellMessage(rec.line, column, cell(rec, column), problem));
        };
        const auto& loc = locations[r - 1];
        if (!loc) {
            fail("Location", "номер ячейки должен быть целым числом");
            continue;
        }
        ChannelRow row;
        row.line = rec.line;
        row.channel = *loc + shift;
        if (row.channel > kChannelCount) {
            out.notes.push_back(line + ": ячейка " + std::to_string(*loc) +
                                " пропущена — в радиостанции 40 каналов");
            continue;
        }
        if (seen.count(row.channel)) {
            fail("Location", "канал " + std::to_string(row.channel) + " уже задан в строке " +
                                 std::to_string(seen[row.channel]));
            continue;
        }
        seen[row.channel] = rec.line;

        // Receive frequency.
        const Khz rx = mhzToKhz(cell(rec, "Frequency"));
        if (!rx.khz) {
            fail("Frequency", rx.problem);
        } else {
            const ValueCheck c = checkFrequency(khzText(*rx.khz), rules);
            if (c.code)
                row.rx = c.code;
            else
                fail("Frequency", khzText(*rx.khz) + " кГц: " + c.problem);
        }

        // Transmit frequency from Duplex and Offset.
        const std::string duplex = cell(rec, "Duplex");
        std::optional<long> txKhz;
        if (duplex == "off") {
            row.tx = 0;
        } else if (duplex.empty()) {
            row.tx = row.rx; // simplex: the receive frequency, already checked
        } else if (duplex == "+" || duplex == "-" || duplex == "split") {
            const Khz offset = mhzToKhz(cell(rec, "Offset"));
            if (!offset.khz)
                fail("Offset", offset.problem);
            else if (duplex == "split")
                txKhz = offset.khz;
            else if (rx.khz)
                txKhz = duplex == "+" ? *rx.khz + *offset.khz : *rx.khz - *offset.khz;
        } else {
            fail("Duplex", "ожидается пустое значение, +, -, split или off");
        }
        if (txKhz) {
            const ValueCheck c = checkFrequency(khzText(*txKhz), rules);
            if (c.code)
                row.tx = c.code;
            else
                fail("Offset", "частота передачи " + khzText(*txKhz) + " кГц: " + c.problem);
        }

        // Subtones from the tone mode: Tone sends rToneFreq; TSQL sends and
        // expects cToneFreq; Cross names both sides as "transmit->receive".
        const auto subtone = [&](const std::string& column, std::optional<int>& into) {
            const ValueCheck c = checkSubtone(cell(rec, column));
            if (c.code)
                into = c.code;
            else
                fail(column, c.problem);
        };
        const auto skipped = [&](const std::string& what) {
            out.notes.push_back(line + ", канал " + std::to_string(row.channel) + ": " + what +
                                " не поддерживается радиостанцией, субтон не задан");
        };
        const std::string mode = cell(rec, "Tone");
        row.rxSubtone = 0;
        row.txSubtone = 0;
        if (mode == "Tone") {
            subtone("rToneFreq", row.txSubtone);
        } else if (mode == "TSQL") {
            subtone("cToneFreq", row.rxSubtone);
            row.txSubtone = row.rxSubtone;
        } else if (mode == "DTCS") {
            skipped("цифровой код DTCS");
        } else if (mode == "TSQL-R" || mode == "DTCS-R") {
            skipped("обратный шумоподавитель " + mode);
        } else if (mode == "Cross") {
            const std::string cross = cell(rec, "CrossMode");
            const auto arrow = cross.find("->");
            if (arrow == std::string::npos) {
                fail("CrossMode", "ожидается вид \"Tone->Tone\"");
            } else {
                const std::string txSide = cross.substr(0, arrow);
                const std::string rxSide = cross.substr(arrow + 2);
                const auto side = [&](const std::string& kind, const char* column,
                                      std::optional<int>& into, const char* name) {
                    if (kind == "Tone")
                        subtone(column, into);
                    else if (kind == "DTCS")
                        skipped(std::string("цифровой код DTCS ") + name);
                    else if (!kind.empty())
                        fail("CrossMode", "неизвестный вид \"" + kind + "\"");
                };
                side(txSide, "rToneFreq", row.txSubtone, "передачи");
                side(rxSide, "cToneFreq", row.rxSubtone, "приема");
            }
        } else if (!mode.empty()) {
            fail("Tone", "ожидается пустое значение, Tone, TSQL, DTCS или Cross");
        }
        out.rows.push_back(row);
    }
    return out;
}

} // namespace ksv::cli
