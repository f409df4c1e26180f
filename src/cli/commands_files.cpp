// Commands that work on files only: new, show, diff, export-csv, import-csv.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/output_guard.h"
#include "files/file_names.h"
#include "files/shown_path.h"
#include "formats/channel_csv.h"
#include "formats/csv_reader.h"
#include "formats/image_diff.h"
#include "formats/image_report.h"
#include "image/normalise.h"

namespace ksv::cli {

using namespace formats;

std::optional<OperatingMode> modeOption(const Arguments& a, CliIo& io) {
    const auto text = a.value(opt::mode);
    if (!text)
        return omUser;
    const auto mode = parseMode(*text);
    if (!mode)
        io.err << QStringLiteral("Неверный режим \"%1\": допустимы user, service, midband\n")
                      .arg(*text);
    return mode;
}

int runNew(const Arguments& a, CliIo& io) {
    const QString typeText = *a.value(opt::type);
    bool ok = false;
    const int type = typeText.toInt(&ok);
    if (!ok || type < 0 || type >= kRadioTypeCount || typeText.size() != 1) {
        io.err << QStringLiteral("Неверный тип радиостанции \"%1\": допустимы 0 (Тарвен-52), 1 "
                                 "(Тарвен-51), 2 (Тарвен-53), 3 (Тарвен-62), 4 (Тарвен-61), 5 "
                                 "(Тарвен-63)\n")
                      .arg(typeText);
        return kExitRefused;
    }
    const QString path = *a.value(opt::output);
    // The image a freshly started program holds for this type.
    const Image image = startupImage(type, omUser);
    if (!saveImage(path, image, io))
        return kExitRefused;
    io.out << QStringLiteral("Создан файл %1: %2\n")
                  .arg(shownPath(path), QString::fromUtf8(modelName(static_cast<RadioType>(type))));
    return kExitOk;
}

int runShow(const Arguments& a, CliIo& io) {
    const QString path = a.positional[0];
    const auto image = loadImage(path, io);
    if (!image)
        return kExitRefused;
    if (a.flag(opt::json))
        io.out << imageJson(*image);
    else
        io.out << imageReport(*image, shownPath(path).toStdString());
    return kExitOk;
}

int runDiff(const Arguments& a, CliIo& io) {
    const auto first = loadImage(a.positional[0], io);
    const auto second = loadImage(a.positional[1], io);
    if (!first || !second)
        return kExitRefused;
    const auto changes = compareImages(*first, *second);
    for (const auto& c : changes)
        io.out << formatChange(c) << "\n";
    return changes.empty() ? kExitOk : kExitRefused;
}

int runExportCsv(const Arguments& a, CliIo& io) {
    const auto image = loadImage(a.positional[0], io);
    if (!image)
        return kExitRefused;
    const std::string csv = exportChannelsCsv(*image);
    const auto out = a.value(opt::output);
    if (!out) {
        io.out << csv;
        return kExitOk;
    }
    if (!checkOutputIsNotAnInput(*out, {a.positional[0]}, io) ||
        !checkOutputIsNotASettingsFile(*out, io))
        return kExitRefused;
    // A file gets a byte order mark; what goes to the standard output does not.
    if (!writeOutputFile(
            *out, QByteArray::fromStdString(std::string(formats::kUtf8ByteOrderMark) + csv), io))
        return kExitRefused;
    io.out << QStringLiteral("Таблица каналов записана в файл %1\n").arg(shownPath(*out));
    return kExitOk;
}

int runImportCsv(const Arguments& a, CliIo& io) {
    const auto mode = modeOption(a, io);
    if (!mode)
        return kExitRefused;
    const QString csvPath = a.positional[1];
    const QString out = *a.value(opt::output);
    if (!checkOutputIsNotAnInput(out, {a.positional[0], csvPath}, io))
        return kExitRefused;
    const auto base = loadImage(a.positional[0], io);
    if (!base)
        return kExitRefused;
    const auto text = readTextFile(csvPath, io);
    if (!text)
        return kExitRefused;

    const CsvImport result = importChannelsCsv(*text, *base, *mode);
    for (const auto& n : result.notes)
        io.err << QStringLiteral("Внимание: ") << n << "\n";
    if (!result.ok) {
        io.err << QStringLiteral("Файл %1 не принят:\n").arg(shownPath(csvPath));
        for (const auto& e : result.errors)
            io.err << "  " << e << "\n";
        io.err << QStringLiteral("Ничего не записано.\n");
        return kExitRefused;
    }
    if (!saveImage(out, result.image, io))
        return kExitRefused;
    io.out << QStringLiteral("Каналов принято: %1%2; записан файл %3\n")
                  .arg(result.channels)
                  .arg(result.chirp ? QStringLiteral(" (формат CHIRP)") : QString())
                  .arg(shownPath(out));
    return kExitOk;
}

} // namespace ksv::cli
