// fleet: one settings file into many transceivers in a row, with a record
// of each set in a log, a backup of what each set held and a card of what it
// holds now.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/fleet_files.h"
#include "cli/link_session.h"
#include "image/codecs.h"
#include "operations/fleet_port_line.h"
#include "operations/fleet_run.h"
#include "operations/outcome_words.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"
#include "serial/os/console.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace ksv::cli {
namespace {

struct FleetSetup {
    Image file;
    QString filePath;
    std::string fileHash; // SHA-256 of the file's bytes, hexadecimal
    OperatingMode mode = omUser;
    PortTarget port;
    int count = 0;
    std::optional<QString> log, backupDir, cardsDir;
};

std::optional<int> countOption(const Arguments& a, CliIo& io) {
    const auto text = a.value(QStringLiteral("--count"));
    if (!text)
        return 0;
    bool ok = false;
    const int n = text->toInt(&ok);
    if (ok && n > 0)
        return n;
    io.err << QStringLiteral("Параметр --count: нужно целое число больше нуля, задано \"%1\"\n")
                  .arg(*text);
    return std::nullopt;
}

// A folder for backups or cards, made when it does not exist yet.
bool folderReady(const std::optional<QString>& dir, CliIo& io) {
    if (!dir || QDir().mkpath(*dir))
        return true;
    io.err << QStringLiteral("Папка %1 не создана\n").arg(*dir);
    return false;
}

std::optional<FleetSetup> prepareFleet(const Arguments& a, CliIo& io) {
    FleetSetup s;
    const auto mode = modeOption(a, io);
    const auto count = mode ? countOption(a, io) : std::nullopt;
    if (!count)
        return std::nullopt;
    const PortTargetResult port = parsePortTarget(*a.value(QStringLiteral("--port")));
    if (!port.target) {
        io.err << port.error << "\n";
        return std::nullopt;
    }
    s.filePath = a.positional[0];
    const auto file = loadImage(s.filePath, io);
    if (!file)
        return std::nullopt;
    s.file = *file;
    const QByteArray bytes(reinterpret_cast<const char*>(file->bytes().data()),
                           static_cast<qsizetype>(kImageSize));
    s.fileHash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
    s.mode = *mode;
    s.port = *port.target;
    s.count = *count;
    s.log = a.value(QStringLiteral("--log"));
    s.backupDir = a.value(QStringLiteral("--backup-dir"));
    s.cardsDir = a.value(QStringLiteral("--cards"));
    if (!folderReady(s.backupDir, io) || !folderReady(s.cardsDir, io))
        return std::nullopt;
    return s;
}

QString portColumn(const PortTarget& port) {
    const QString device = QString::fromStdString(port.device);
    return port.comNumber ? QStringLiteral("%1 (%2)").arg(port.name, device) : device;
}

QString setHeading(int number, const Image& image) {
    return QStringLiteral("Радиостанция %1: %2, зав. № %3, версия ПО %4")
        .arg(number)
        .arg(QString::fromUtf8(modelName(RsType(image))), QString::fromStdString(ZnTxt(image)),
             QString::fromStdString(VerTxt(image)));
}

// The line the terminal shows when a set is done.
QString outcomeLine(const FleetSetReport& r) {
    switch (r.result) {
    case FleetResult::Written:
        return QStringLiteral("Данные записаны (байт: %1)").arg(r.bytesWritten);
    case FleetResult::AlreadyWritten:
        return QStringLiteral("Данные уже записаны");
    case FleetResult::Refused:
        return QStringLiteral("Отказ: ") + r.reason;
    case FleetResult::NoConnection:
    case FleetResult::VerifyFailed:
        break;
    }
    return r.reason;
}

// What the run shows on the terminal and leaves in files.
class TerminalFleetProgress : public FleetProgress {
public:
    TerminalFleetProgress(const FleetSetup& setup, FleetLog* log, CliIo& io)
        : setup_(setup), log_(log), io_(io) {}

    void waitingForSet() override { say(QStringLiteral("Подключите радиостанцию…")); }
    void waitingForRemoval() override { say(QStringLiteral("Отключите радиостанцию…")); }

    bool setRead(int number, const Image& asRead, QString& refusal) override {
        say(setHeading(number, asRead));
        if (!setup_.backupDir)
            return true;
        const QString path =
            saveBackup(*setup_.backupDir, asRead, QDateTime::currentDateTime(), refusal);
        if (path.isEmpty())
            return false;
        say(QStringLiteral("  Считанные данные сохранены в файл %1").arg(path));
        return true;
    }

    void alreadyProgrammed(const Image& asRead) override {
        say(QStringLiteral("Радиостанция зав. № %1 уже запрограммирована в этом сеансе, "
                           "повторно не записывается")
                .arg(QString::fromStdString(ZnTxt(asRead))));
    }

    bool setDone(int number, const FleetSetReport& r) override {
        if (!r.read)
            say(QStringLiteral("Радиостанция %1:").arg(number));
        say(QStringLiteral("  ") + outcomeLine(r));
        if (r.result == FleetResult::Written || r.result == FleetResult::AlreadyWritten)
            writeCard(r.asWritten);
        return record(r);
    }

private:
    void say(const QString& line) {
        io_.out << line << "\n";
        io_.out.flush();
    }

    // The card of what the set holds now, named by its factory number; its
    // file field names the settings file.
    void writeCard(const Image& asWritten) {
        if (!setup_.cardsDir)
            return;
        const QString path =
            QDir(*setup_.cardsDir).filePath(QString::fromStdString(ZnTxt(asWritten)) + ".pdf");
        const auto card = print::cardFromImage(asWritten, setup_.mode,
                                               QFileInfo(setup_.filePath).absoluteFilePath());
        QString error;
        if (print::renderCardPdf(card, path, print::CardLayout::TwoPages, &error))
            say(QStringLiteral("  Карта программирования: %1").arg(path));
        else
            io_.err << error << "\n";
    }

    bool record(const FleetSetReport& r) {
        if (!log_)
            return true;
        const auto text = [&](const std::string& s) { return r.read ? s : std::string(); };
        const std::vector<std::string> row = {
            isoLocalTime(QDateTime::currentDateTime()).toStdString(),
            portColumn(setup_.port).toStdString(),
            text(modelName(RsType(r.asRead))),
            text(ZnTxt(r.asRead)),
            text(VerTxt(r.asRead)),
            fleetResultText(r.result, r.reason).toStdString(),
            std::to_string(r.bytesWritten),
            QFileInfo(setup_.filePath).fileName().toStdString(),
            setup_.fileHash,
        };
        QString error;
        if (log_->append(row, error))
            return true;
        io_.err << QStringLiteral("Журнал %1 не дописан: %2. Работа остановлена\n")
                       .arg(*setup_.log, error);
        return false;
    }

    const FleetSetup& setup_;
    FleetLog* log_;
    CliIo& io_;
};

void printSummary(const FleetSummary& s, CliIo& io) {
    if (s.interrupted)
        io.out << QStringLiteral("Работа прервана\n");
    io.out << QStringLiteral("Итого радиостанций: %1\n").arg(s.sets);
    const FleetResult all[] = {FleetResult::Written, FleetResult::AlreadyWritten,
                               FleetResult::Refused, FleetResult::NoConnection,
                               FleetResult::VerifyFailed};
    for (FleetResult r : all) {
        QString name = fleetResultText(r);
        if (r == FleetResult::Refused)
            name.chop(2); // "отказ: " without the reason
        io.out << "  " << name << ": " << QString::number(s.count(r)) << "\n";
    }
}

// A failed verification outweighs a refusal, which outweighs a lost
// connection; no set at all is a connection that never came.
int fleetExitCode(const FleetSummary& s) {
    if (s.count(FleetResult::VerifyFailed) > 0)
        return kExitVerifyFailed;
    if (s.count(FleetResult::Refused) > 0)
        return kExitRefused;
    if (s.sets == 0 || s.count(FleetResult::NoConnection) > 0)
        return kExitNoConnection;
    return kExitOk;
}

} // namespace

int runFleet(const Arguments& a, CliIo& io) {
    const auto setup = prepareFleet(a, io);
    if (!setup)
        return kExitRefused;
    FleetLog log;
    QString error;
    if (setup->log && !log.open(*setup->log, error)) {
        io.err << QStringLiteral("Журнал %1 не открыт: %2\n").arg(*setup->log, error);
        return kExitRefused;
    }
    LinkSession link(io);
    if (!link.open(setup->port))
        return kExitNoConnection;
    // Ctrl+C, a closed terminal or a termination request stop the run
    // between two steps, never in the middle of a write.
    const os::StopRequests stop;
    PortFleetLine line(link.exchange(), setup->file, io.timings.timerMs);
    TerminalFleetProgress progress(*setup, setup->log ? &log : nullptr, io);
    FleetOptions options;
    options.count = setup->count;
    options.stopRequested = [&stop] { return stop.requested(); };
    const FleetSummary summary = programFleet(line, progress, options);
    printSummary(summary, io);
    const int code = fleetExitCode(summary);
    const bool recordFailed = summary.interrupted && !stop.requested();
    return code == kExitOk && recordFailed ? kExitRefused : code;
}

} // namespace ksv::cli
