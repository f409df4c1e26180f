#include "cli/usage.h"

#include "files/shown_path.h"
#include "serial/port_names.h"

#ifndef KSV_VERSION
#define KSV_VERSION "0"
#endif

namespace ksv::cli {
namespace {

QString usageElement(const CommandParameter& p) {
    switch (p.kind) {
    case CommandParameter::File:
        return p.placeholder;
    case CommandParameter::OptionalFile:
        return '[' + p.placeholder + ']';
    case CommandParameter::RequiredOption:
        return p.name + ' ' + p.placeholder;
    case CommandParameter::OptionalValue:
        return '[' + p.name + ' ' + p.placeholder + ']';
    case CommandParameter::Flag:
        return '[' + p.name + ']';
    }
    return {};
}

// The column where the help lines of a command start.
constexpr int kHelpIndent = 14;

} // namespace

QString commandUsage(const CommandEntry& command) {
    QString line = QStringLiteral("ksv717n-cli ") + command.name;
    for (const CommandParameter& p : command.parameters)
        line += ' ' + usageElement(p);
    return line;
}

QString commandHelp(const CommandEntry& command) {
    QString t;
    for (const QString& line : command.help) {
        const QString lead = t.isEmpty() ? QStringLiteral("  ") + command.name : QString();
        t += lead.leftJustified(kHelpIndent) + line + '\n';
    }
    return t;
}

QString helpText() {
    QString t =
        QStringLiteral("ksv717n-cli — программирование радиостанций «Тарвен» из командной строки\n"
                       "\n"
                       "Команды:\n");
    for (const CommandEntry& c : commandTable())
        t += QStringLiteral("  ") + commandUsage(c) + '\n';
    t += QStringLiteral("  ksv717n-cli --help | --version\n\n");
    for (const CommandEntry& c : commandTable())
        t += commandHelp(c);
    t += QStringLiteral("\nPORT — имя устройства (%1) или COM1..COM%2; COMn можно связать с "
                        "устройством\nпеременной окружения KSV717N_COMn.\n")
             .arg(QString::fromStdString(deviceNameExample()))
             .arg(highestComNumber());
    t += QStringLiteral(
             "Режим (--mode): user (по умолчанию), service или midband — как у окна, запущенного\n"
             "без ключа, с /kvrt или /plmz. Для import-csv он задаёт допустимые диапазоны частот,\n"
             "для print и fleet — вид карты программирования, для write и verify разрешает\n"
             "--number (только service).\n"
             "\n"
             "Архив: всё, что считано из радиостанции (read, write — до и после записи, verify,\n"
             "fleet, doctor), сохраняется в папке архива, по папке на заводской номер, если такое\n"
             "состояние ещё не последнее в ней. По умолчанию это ") +
         shownPath(QStringLiteral("<Документы>/KSV717N/Архив")) +
         QStringLiteral(
             "\n(переменная окружения KSV717N_ARCHIVE задаёт другую папку и для окна программы);\n"
             "--archive-dir DIR — другая папка, --no-archive — ничего не сохранять. Если\n"
             "состояние до записи не сохранилось, write и fleet ничего не записывают.\n"
             "\n"
             "Коды завершения: 0 — успешно; 1 — отказ или неверные данные (diff: файлы "
             "различаются);\n"
             "2 — нет соединения или порт недоступен; 3 — ошибка проверки записанных данных или\n"
             "прерванная запись (коды fleet — выше).\n");
    return t;
}

QString versionText() {
    return QStringLiteral("ksv717n-cli " KSV_VERSION);
}

} // namespace ksv::cli
