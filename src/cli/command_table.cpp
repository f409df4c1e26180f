#include "cli/command_table.h"

#include "cli/commands.h"
#include "serial/os/console.h"

#include <algorithm>

namespace ksv::cli {
namespace {

CommandParameter file(const char* placeholder) {
    return {CommandParameter::File, {}, QString::fromUtf8(placeholder)};
}
CommandParameter required(const char* name, const char* placeholder) {
    return {CommandParameter::RequiredOption, QString::fromUtf8(name),
            QString::fromUtf8(placeholder)};
}
CommandParameter optional(const char* name, const char* placeholder) {
    return {CommandParameter::Option, QString::fromUtf8(name), QString::fromUtf8(placeholder)};
}
CommandParameter optionalFile(const char* placeholder) {
    return {CommandParameter::OptionalFile, {}, QString::fromUtf8(placeholder)};
}
CommandParameter flag(const char* name) {
    return {CommandParameter::Flag, QString::fromUtf8(name), {}};
}

// How a long run is stopped, and what becomes of the step under way: that
// depends on the system (a closed console window gives only seconds).
QStringList stopLines() {
    QStringList help;
    for (const char* const* line = os::stopHelpLines(); *line; ++line)
        help << QString::fromUtf8(*line);
    return help;
}

const CommandParameter kPort = required("--port", "PORT");
const CommandParameter kMode = optional("--mode", "user|service|midband");
const CommandParameter kArchiveDir = optional("--archive-dir", "DIR");
const CommandParameter kNoArchive = flag("--no-archive");

// In the order --help lists them.
const std::vector<CommandEntry> kCommands = {
    {Command::Ports,
     "ports",
     {},
     {"список последовательных портов и устройства имен COM1..COM4"},
     runPorts},
    {Command::Doctor,
     "doctor",
     {optional("--port", "PORT"), kArchiveDir, kNoArchive},
     {"диагностика соединения: по каждому порту по порядку проверяет, есть ли",
      "устройство, открывается ли оно, принимает ли 9600 8N1, есть ли CTS,",
      "отвечает ли радиостанция на 0xFF и считываются ли её установки;",
      "посылает только байт 0xFF и запросы чтения, в радиостанцию ничего не",
      "записывает. Без --port: устройства имён COM1..COM4; остальные",
      "последовательные порты только перечисляются (проверить: --port).",
      "Код завершения 0 — радиостанция ответила, 2 — не ответила ни на одном", "порту"},
     runDoctor},
    {Command::Read,
     "read",
     {kPort, optional("-o", "FILE.ust"), kArchiveDir, kNoArchive},
     {"считать установки радиостанции в файл (-o) и в архив"},
     runRead},
    {Command::Write,
     "write",
     {kPort, file("FILE.ust"), kMode, flag("--number"), flag("--dry-run"),
      optional("--backup", "OLD.ust"), kArchiveDir, kNoArchive},
     {"записать файл в радиостанцию (только изменившиеся байты) и проверить;",
      "установки до записи и после неё сохраняются в архиве",
      "--dry-run   считать радиостанцию и показать изменения, ничего не записывая",
      "--backup    сохранить считанные установки до записи в новый файл (существующий",
      "            файл не заменяется)",
      "--number    разрешить запись заводского номера (только --mode service)",
      "Остановленная (Ctrl+C) до первого байта команда ничего не записывает;",
      "начатую запись программа доводит до конца и проверяет."},
     runWrite},
    {Command::Verify,
     "verify",
     {kPort, file("FILE.ust"), kMode, flag("--number"), kArchiveDir, kNoArchive},
     {"сравнить радиостанцию с файлом"},
     runVerify},
    {Command::Fleet,
     "fleet",
     {kPort, file("FILE.ust"), kMode, optional("--backup-dir", "DIR"), flag("--no-backup"),
      optional("--log", "LOG.csv"), optional("--cards", "DIR"), optional("--count", "N"),
      flag("--any-type"), kArchiveDir, kNoArchive},
     QStringList{"записать файл в радиостанции одну за другой по правилам write:",
                 "ждёт ответа радиостанции (\"Подключите радиостанцию…\"), считывает её,",
                 "сохраняет её установки в архиве, записывает и проверяет, затем ждёт, пока её",
                 "отключат (\"Отключите радиостанцию…\"); если архив недоступен, работа",
                 "останавливается до записи",
                 "--backup-dir  ещё и папка для копий установок каждой радиостанции до записи:",
                 "              <зав. №>-<ГГГГММДД-ЧЧММСС>.ust (обязательна с --no-archive)",
                 "--no-backup   не сохранять копии (с --no-archive вместо --backup-dir)",
                 "--log         журнал CSV: строка на каждую радиостанцию (дописывается)",
                 "--cards       папка для карт программирования: <зав. №>.pdf на каждую",
                 "              записанную радиостанцию",
                 "--count       закончить после N радиостанций",
                 "--any-type    записывать и в радиостанции другого типа того же диапазона",
                 "Прерванную запись программа заканчивает, когда радиостанцию подключают снова."} +
         stopLines() +
         QStringList{"Коды завершения fleet:",
                     "  0 — каждая ответившая радиостанция записана или уже содержала этот файл;",
                     "  1 — хотя бы одной радиостанции отказано или не записаны карта или строка",
                     "      журнала; ни одна радиостанция не осталась в худшем состоянии;",
                     "  2 — ни одна радиостанция не ответила;",
                     "  3 — хотя бы у одной радиостанции ошибка проверки или прервана запись.",
                     "Радиостанция, которая ответила, но не считалась (\"нет соединения\"), не",
                     "изменилась: это тоже код 1"},
     runFleet},
    {Command::Archive,
     "archive",
     {optionalFile("NUMBER"), flag("--original"), kArchiveDir},
     {"архив считанных состояний: без номера — список радиостанций (зав. №, модель,",
      "первое и последнее состояние, число состояний); с заводским номером — его",
      "состояния с путями, новые сверху, первое помечено «исходные»;",
      "--original  только путь первого состояния (исходных установок), например",
      "            ksv717n-cli write --port COM2 \"$(ksv717n-cli archive 654321 --original)\""},
     runArchive},
    {Command::New,
     "new",
     {required("--type", "0..5"), required("-o", "FILE.ust")},
     {"создать файл установок по умолчанию для типа радиостанции:",
      "0 Тарвен-52, 1 Тарвен-51, 2 Тарвен-53, 3 Тарвен-62, 4 Тарвен-61, 5 Тарвен-63"},
     runNew},
    {Command::Show,
     "show",
     {file("FILE.ust"), flag("--json")},
     {"показать установки (--json: в виде JSON)"},
     runShow},
    {Command::Diff,
     "diff",
     {file("A.ust"), file("B.ust")},
     {"сравнить два файла установок по полям"},
     runDiff},
    {Command::ExportCsv,
     "export-csv",
     {file("FILE.ust"), optional("-o", "OUT.csv")},
     {"таблица каналов в CSV (разделитель \";\")"},
     runExportCsv},
    {Command::ImportCsv,
     "import-csv",
     {file("FILE.ust"), file("IN.csv"), required("-o", "OUT.ust"), kMode},
     {"таблица каналов из CSV (своего формата или экспорта CHIRP)"},
     runImportCsv},
    {Command::Print,
     "print",
     {file("FILE.ust"), required("-o", "OUT.pdf"), flag("--one-page"), kMode},
     {"карта программирования в PDF (--one-page: один альбомный лист)"},
     runPrint},
};

} // namespace

const CommandParameter* CommandEntry::option(const QString& optionName) const {
    for (const CommandParameter& p : parameters)
        if (!p.name.isEmpty() && p.name == optionName)
            return &p;
    return nullptr;
}

int CommandEntry::fileCount() const {
    return int(std::count_if(parameters.begin(), parameters.end(), [](const CommandParameter& p) {
        return p.kind == CommandParameter::File;
    }));
}

int CommandEntry::maxFileCount() const {
    return int(std::count_if(parameters.begin(), parameters.end(), [](const CommandParameter& p) {
        return p.kind == CommandParameter::File || p.kind == CommandParameter::OptionalFile;
    }));
}

const std::vector<CommandEntry>& commandTable() {
    return kCommands;
}

const CommandEntry* findCommand(const QString& word) {
    for (const CommandEntry& e : commandTable())
        if (e.name == word)
            return &e;
    return nullptr;
}

const CommandEntry* findCommand(Command c) {
    for (const CommandEntry& e : commandTable())
        if (e.command == c)
            return &e;
    return nullptr;
}

} // namespace ksv::cli
