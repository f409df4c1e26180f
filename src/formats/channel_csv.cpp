#include "formats/channel_csv.h"

#include "formats/channel_rows.h"
#include "formats/csv_reader.h"
#include "image/codecs.h"
#include "image/fields.h"
#include "image/normalise.h"

namespace ksv::formats {
namespace {

// The rows go into the image as the channel table's edits do, and the image
// is finished as the window's store finishes it.
Image applyRows(const Image& base, const std::vector<ChannelRow>& rows, OperatingMode mode) {
    Image im = base;
    for (const ChannelRow& r : rows) {
        const ChannelView record = im.channel(r.channel);
        for (const ChannelField& f : channelFields())
            if (const auto& value = r[f.id])
                f.set(record, *value);
    }
    finishStore(im, mode);
    return im;
}

} // namespace

const std::vector<std::string>& channelCsvColumns() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v = {"№"};
        for (const ChannelField& f : channelFields())
            if (*f.column)
                v.push_back(f.column);
        return v;
    }();
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
        std::vector<std::string> cells = {std::to_string(ch)};
        for (const ChannelField& f : channelFields())
            if (*f.column)
                cells.push_back(f.cell(im.channel(ch), t));
        row(cells);
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
    out.notes = rows.notes.lines(kMoreNotes);
    out.errors = rows.errors.lines(kMoreErrors);
    if (out.errors.empty() && rows.rows.empty())
        out.errors.push_back("в файле нет ни одного канала");
    if (!out.errors.empty())
        return out;
    out.image = applyRows(base, rows.rows, mode);
    out.channels = static_cast<int>(rows.rows.size());
    out.ok = true;
    return out;
}

} // namespace ksv::formats
