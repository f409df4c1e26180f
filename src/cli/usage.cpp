#include "cli/usage.h"

#ifndef KSV_VERSION
#define KSV_VERSION "0"
#endif

namespace ksv::cli {

QString commandUsage(Command c) {
    switch (c) {
    case Command::Ports:
        return QStringLiteral("ksv717n-cli ports");
    case Command::Doctor:
        return QStringLiteral("ksv717n-cli doctor [--port PORT]");
    case Command::Read:
        return QStringLiteral("ksv717n-cli read --port PORT -o FILE.ust");
    case Command::Write:
        return QStringLiteral(
            "ksv717n-cli write --port PORT FILE.ust [--mode user|service|midband] "
            "[--number] [--dry-run] [--backup OLD.ust]");
    case Command::Verify:
        return QStringLiteral(
            "ksv717n-cli verify --port PORT FILE.ust [--mode user|service|midband] [--number]");
    case Command::New:
        return QStringLiteral("ksv717n-cli new --type 0..5 -o FILE.ust");
    case Command::Show:
        return QStringLiteral("ksv717n-cli show FILE.ust [--json]");
    case Command::Diff:
        return QStringLiteral("ksv717n-cli diff A.ust B.ust");
    case Command::ExportCsv:
        return QStringLiteral("ksv717n-cli export-csv FILE.ust [-o OUT.csv]");
    case Command::ImportCsv:
        return QStringLiteral(
            "ksv717n-cli import-csv FILE.ust IN.csv -o OUT.ust [--mode user|service|midband]");
    case Command::Print:
        return QStringLiteral(
            "ksv717n-cli print FILE.ust -o OUT.pdf [--one-page] [--mode user|service|midband]");
    case Command::Fleet:
        return QStringLiteral(
            "ksv717n-cli fleet --port PORT FILE.ust [--mode user|service|midband] "
            "[--log LOG.csv] [--backup-dir DIR] [--cards DIR] [--count N]");
    case Command::Help:
    case Command::Version:
        break;
    }
    return QStringLiteral("ksv717n-cli --help | --version");
}

QString helpText() {
    QString t =
        QStringLiteral("ksv717n-cli — программирование радиостанций «Тарвен» из командной строки\n"
                       "\n"
                       "Команды:\n");
    const Command all[] = {Command::Ports,  Command::Doctor,    Command::Read,      Command::Write,
                           Command::Verify, Command::Fleet,     Command::New,       Command::Show,
                           Command::Diff,   Command::ExportCsv, Command::ImportCsv, Command::Print,
                           Command::Help};
    for (Command c : all)
        t += QStringLiteral("  ") + commandUsage(c) + '\n';
    t += QStringLiteral(
        "\n"
        "  ports       список последовательных портов и устройства имен COM1..COM4\n"
        "  doctor      диагностика соединения: по каждому порту по порядку проверяет, есть ли\n"
        "              устройство, открывается ли оно, принимает ли 9600 8N1, есть ли CTS,\n"
        "              отвечает ли радиостанция на 0xFF и считываются ли ее установки;\n"
        "              ничего не записывает. Без --port: все имена COM и все найденные порты.\n"
        "              Код завершения 0 — радиостанция ответила, 2 — не ответила ни на одном\n"
        "              порту\n"
        "  read        считать установки радиостанции в файл\n"
        "  write       записать файл в радиостанцию (только изменившиеся байты) и проверить\n"
        "              --dry-run   считать радиостанцию и показать изменения, ничего не записывая\n"
        "              --backup    сохранить считанные установки до записи\n"
        "              --number    разрешить запись заводского номера (только --mode service)\n"
        "  verify      сравнить радиостанцию с файлом\n"
        "  fleet       записать файл в радиостанции одну за другой по правилам write:\n"
        "              ждет ответа радиостанции (\"Подключите радиостанцию…\"), считывает,\n"
        "              записывает и проверяет, затем ждет, пока ее отключат\n"
        "              (\"Отключите радиостанцию…\"); радиостанция с уже записанным в этом\n"
        "              сеансе заводским номером повторно не записывается\n"
        "              --log         журнал CSV: строка на каждую радиостанцию (дописывается)\n"
        "              --backup-dir  считанные данные каждой радиостанции до записи:\n"
        "                            <зав. №>-<ГГГГММДД-ЧЧММСС>.ust\n"
        "              --cards       карта программирования каждой радиостанции: <зав. №>.pdf\n"
        "              --count       закончить после N радиостанций\n"
        "              Ctrl+C завершает работу после текущего шага. Код завершения: 0 — все\n"
        "              записаны или уже записаны; 1 — был отказ; 3 — была ошибка проверки;\n"
        "              2 — ни одна радиостанция не ответила\n"
        "  new         создать файл установок по умолчанию для типа радиостанции:\n"
        "              0 Тарвен-52, 1 Тарвен-51, 2 Тарвен-53, 3 Тарвен-62, 4 Тарвен-61, 5 "
        "Тарвен-63\n"
        "  show        показать установки (--json: в виде JSON)\n"
        "  diff        сравнить два файла установок по полям\n"
        "  export-csv  таблица каналов в CSV (разделитель \";\")\n"
        "  import-csv  таблица каналов из CSV (своего формата или экспорта CHIRP)\n"
        "  print       карта программирования в PDF (--one-page: один альбомный лист)\n"
        "\n"
        "PORT — имя устройства (/dev/ttyUSB0) или COM1..COM4; COMn можно связать с устройством\n"
        "переменной окружения KSV717N_COMn.\n"
        "Режим (--mode) задает допустимые диапазоны частот: user (по умолчанию), service, "
        "midband.\n"
        "\n"
        "Коды завершения: 0 — успешно; 1 — отказ или неверные данные (diff: файлы различаются);\n"
        "2 — нет соединения или порт недоступен; 3 — ошибка проверки записанных данных.\n");
    return t;
}

QString versionText() {
    return QStringLiteral("ksv717n-cli " KSV_VERSION);
}

} // namespace ksv::cli
