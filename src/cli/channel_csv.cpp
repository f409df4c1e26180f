#include "cli/channel_csv.h"

#include "cli/channel_rows.h"
#include "cli/csv_reader.h"
#include "image/checksum.h"
#include "image/codecs.h"

namespace ksv::cli {
namespace {

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
