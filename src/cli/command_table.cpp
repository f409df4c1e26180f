#include "cli/command_table.h"

#include "cli/commands.h"
#include "serial/os/console.h"

#include <algorithm>

namespace ksv::cli {
namespace {

CommandParameter file(const char* placeholder) {
    return {CommandParameter::File, {}, QString::fromUtf8(placeholder)};
}
CommandParameter optionalFile(const char* placeholder) {
    return {CommandParameter::OptionalFile, {}, QString::fromUtf8(placeholder)};
}

// How a long run is stopped, and what becomes of the step under way: that
// depends on the system (a closed console window gives only seconds).
QStringList stopLines() {
    QStringList help;
    for (const char* const* line = os::stopHelpLines(); *line; ++line)
        help << QString::fromUtf8(*line);
    return help;
}

// A command as declared: its files, and its help without its options' lines.
struct Declaration {
    Command command;
    const char* name;
    std::vector<CommandParameter> files;
    QStringList help;
    CommandHandler run;
    QStringList closing = {}; // the lines after its options' lines
};

// In the order --help lists them.
std::vector<Declaration> declarations() {
    return {
        {Command::Ports,
         "ports",
         {},
         {"список последовательных портов и устройства имен COM1..COM4"},
         runPorts},
        {Command::Doctor,
         "doctor",
         {},
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
         {},
         {"считать установки радиостанции в файл (-o) и в архив"},
         runRead},
        {Command::Write,
         "write",
         {file("FILE.ust")},
         {"записать файл в радиостанцию (только изменившиеся байты) и проверить;",
          "установки до записи и после неё сохраняются в архиве"},
         runWrite,
         {"Остановленная (Ctrl+C) до первого байта команда ничего не записывает;",
          "начатую запись программа доводит до конца и проверяет."}},
        {Command::Verify,
         "verify",
         {file("FILE.ust")},
         {"сравнить радиостанцию с файлом"},
         runVerify},
        {Command::Fleet,
         "fleet",
         {file("FILE.ust")},
         {"записать файл в радиостанции одну за другой по правилам write:",
          "ждёт ответа радиостанции (\"Подключите радиостанцию…\"), считывает её,",
          "сохраняет её установки в архиве, записывает и проверяет, затем ждёт, пока её",
          "отключат (\"Отключите радиостанцию…\"); если архив недоступен, работа",
          "останавливается до записи"},
         runFleet,
         QStringList{
             "Прерванную запись программа заканчивает, когда радиостанцию подключают снова."} +
             stopLines() +
             QStringList{
                 "Коды завершения fleet:",
                 "  0 — каждая ответившая радиостанция записана или уже содержала этот файл;",
                 "  1 — хотя бы одной радиостанции отказано или не записаны карта или строка",
                 "      журнала; ни одна радиостанция не осталась в худшем состоянии;",
                 "  2 — ни одна радиостанция не ответила;",
                 "  3 — хотя бы у одной радиостанции ошибка проверки или прервана запись.",
                 "Радиостанция, которая ответила, но не считалась (\"нет соединения\"), не",
                 "изменилась: это тоже код 1"}},
        {Command::Archive,
         "archive",
         {optionalFile("NUMBER")},
         {"архив считанных состояний: без номера — список радиостанций (зав. №, модель,",
          "первое и последнее состояние, число состояний); с заводским номером — его",
          "состояния с путями, новые сверху, первое помечено «исходные»;"},
         runArchive},
        {Command::New,
         "new",
         {},
         {"создать файл установок по умолчанию для типа радиостанции:",
          "0 Тарвен-52, 1 Тарвен-51, 2 Тарвен-53, 3 Тарвен-62, 4 Тарвен-61, 5 Тарвен-63"},
         runNew},
        {Command::Show,
         "show",
         {file("FILE.ust")},
         {"показать установки (--json: в виде JSON)"},
         runShow},
        {Command::Diff,
         "diff",
         {file("A.ust"), file("B.ust")},
         {"сравнить два файла установок по полям"},
         runDiff},
        {Command::ExportCsv,
         "export-csv",
         {file("FILE.ust")},
         {"таблица каналов в CSV (разделитель \";\")"},
         runExportCsv},
        {Command::ImportCsv,
         "import-csv",
         {file("FILE.ust"), file("IN.csv")},
         {"таблица каналов из CSV (своего формата или экспорта CHIRP)"},
         runImportCsv},
        {Command::Print,
         "print",
         {file("FILE.ust")},
         {"карта программирования в PDF (--one-page: один альбомный лист)"},
         runPrint},
    };
}

CommandParameter parameterOf(const Option& o, Command c) {
    const OptionUse& use = *o.use(c);
    const auto kind = !o.takesValue() ? CommandParameter::Flag
                      : use.required  ? CommandParameter::RequiredOption
                                      : CommandParameter::OptionalValue;
    return {kind, o.name, o.takesValue() ? o.argumentFor(c) : QString(), &o};
}

// The options' help lines start in one column, past the longest name.
QStringList optionHelp(const std::vector<const Option*>& options) {
    qsizetype column = 12;
    for (const Option* o : options)
        if (!o->help.isEmpty())
            column = std::max(column, o->name.size() + 2);
    QStringList lines;
    for (const Option* o : options)
        for (qsizetype i = 0; i < o->help.size(); ++i)
            lines << (i == 0 ? o->name : QString()).leftJustified(column) + o->help[i];
    return lines;
}

// The usage line: the leading options, the files, then the other options,
// each in the order of allOptions().
CommandEntry entryOf(const Declaration& d) {
    CommandEntry e{d.command, QString::fromUtf8(d.name), {}, d.help, d.run};
    std::vector<const Option*> taken;
    for (const Option* o : allOptions())
        if (o->use(d.command))
            taken.push_back(o);
    for (const Option* o : taken)
        if (o->leads)
            e.parameters.push_back(parameterOf(*o, d.command));
    e.parameters.insert(e.parameters.end(), d.files.begin(), d.files.end());
    for (const Option* o : taken)
        if (!o->leads)
            e.parameters.push_back(parameterOf(*o, d.command));
    e.help << optionHelp(taken) << d.closing;
    return e;
}

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
    static const std::vector<CommandEntry> table = [] {
        std::vector<CommandEntry> v;
        for (const Declaration& d : declarations())
            v.push_back(entryOf(d));
        return v;
    }();
    return table;
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
