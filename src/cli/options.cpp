#include "cli/options.h"

namespace ksv::cli {

using C = Command;

namespace opt {

// In the order of the usage lines.
const ValueOption port{
    {"--port",
     "PORT",
     {},
     {{C::Doctor}, {C::Read, true}, {C::Write, true}, {C::Verify, true}, {C::Fleet, true}},
     true}};
const ValueOption type{{"--type", "0..5", {}, {{C::New, true}}}};
const ValueOption output{{"-o",
                          "FILE.ust",
                          {},
                          {{C::Read},
                           {C::New, true},
                           {C::ExportCsv, false, "OUT.csv"},
                           {C::ImportCsv, true, "OUT.ust"},
                           {C::Print, true, "OUT.pdf"}}}};
const FlagOption onePage{{"--one-page", {}, {}, {{C::Print}}}};
const ValueOption mode{{"--mode",
                        "user|service|midband",
                        {},
                        {{C::Write}, {C::Verify}, {C::Fleet}, {C::ImportCsv}, {C::Print}}}};
const FlagOption number{{"--number",
                         {},
                         {"включая заводской номер (только --mode service)"},
                         {{C::Write}, {C::Verify}}}};
const FlagOption dryRun{{"--dry-run",
                         {},
                         {"считать радиостанцию и показать изменения, ничего не записывая"},
                         {{C::Write}}}};
const ValueOption backup{
    {"--backup",
     "OLD.ust",
     {"сохранить считанные установки до записи в новый файл (существующий", "файл не заменяется)"},
     {{C::Write}}}};
const ValueOption backupDir{{"--backup-dir",
                             "DIR",
                             {"ещё и папка для копий установок каждой радиостанции до записи:",
                              "<зав. №>-<ГГГГММДД-ЧЧММСС>.ust (обязательна с --no-archive)"},
                             {{C::Fleet}}}};
const FlagOption noBackup{
    {"--no-backup", {}, {"не сохранять копии (с --no-archive вместо --backup-dir)"}, {{C::Fleet}}}};
const ValueOption logFile{{"--log",
                           "LOG.csv",
                           {"журнал CSV: строка на каждую радиостанцию (дописывается)"},
                           {{C::Fleet}}}};
const ValueOption cardsDir{
    {"--cards",
     "DIR",
     {"папка для карт программирования: <зав. №>.pdf на каждую", "записанную радиостанцию"},
     {{C::Fleet}}}};
const ValueOption count{{"--count", "N", {"закончить после N радиостанций"}, {{C::Fleet}}}};
const FlagOption anyType{{"--any-type",
                          {},
                          {"записывать и в радиостанции другого типа того же диапазона"},
                          {{C::Fleet}}}};
const FlagOption original{
    {"--original",
     {},
     {"только путь первого состояния (исходных установок), например",
      "ksv717n-cli write --port COM2 \"$(ksv717n-cli archive 654321 --original)\""},
     {{C::Archive}}}};
const FlagOption json{{"--json", {}, {}, {{C::Show}}}};
const ValueOption archiveDir{
    {"--archive-dir",
     "DIR",
     {},
     {{C::Doctor}, {C::Read}, {C::Write}, {C::Verify}, {C::Fleet}, {C::Archive}}}};
const FlagOption noArchive{
    {"--no-archive", {}, {}, {{C::Doctor}, {C::Read}, {C::Write}, {C::Verify}, {C::Fleet}}}};

} // namespace opt

const OptionUse* Option::use(Command c) const {
    for (const OptionUse& u : uses)
        if (u.command == c)
            return &u;
    return nullptr;
}

QString Option::argumentFor(Command c) const {
    const OptionUse* u = use(c);
    return u && u->argument ? QString::fromUtf8(u->argument) : argument;
}

const std::vector<const Option*>& allOptions() {
    using namespace opt;
    static const std::vector<const Option*> all = {
        &port,   &type,    &output,    &onePage,  &mode,       &number,
        &dryRun, &backup,  &backupDir, &noBackup, &logFile,    &cardsDir,
        &count,  &anyType, &original,  &json,     &archiveDir, &noArchive,
    };
    return all;
}

} // namespace ksv::cli
