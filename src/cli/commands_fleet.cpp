// fleet: one settings file into many transceivers in a row, with a backup of
// what each set held, a record of each set in a log and a card of what it
// holds now.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/link_session.h"
#include "files/shown_path.h"
#include "image/codecs.h"
#include "operations/fleet_port_line.h"
#include "operations/fleet_session.h"
#include "operations/outcome_words.h"
#include "serial/os/console.h"

#include <QFileInfo>
#include <algorithm>

namespace ksv::cli {
namespace {

std::optional<int> countOption(const Arguments& a, CliIo& io) {
    const auto text = a.value(opt::count);
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

// The originals are kept, in the archive or in a folder of copies, unless
// the user declined both on purpose.
std::optional<QString> backupOption(const Arguments& a, bool archived, CliIo& io) {
    const auto dir = a.value(opt::backupDir);
    const bool declined = a.flag(opt::noBackup);
    if (dir && declined) {
        io.err << QStringLiteral("Команда fleet: задайте либо --backup-dir, либо --no-backup\n");
        return std::nullopt;
    }
    if (dir || declined || archived)
        return dir.value_or(QString());
    io.err << QStringLiteral(
        "Команда fleet: с --no-archive нужна папка для копий исходных установок — "
        "добавьте --backup-dir ПАПКА (или --no-backup, если копии не нужны)\n");
    return std::nullopt;
}

QString portColumn(const PortTarget& port) {
    return fleetPortLabel(port.name, port.device, port.comNumber != 0);
}

struct FleetSetup {
    FleetPlan plan;
    PortTarget port;
    int count = 0;
    ArchiveChoice archive;
};

std::optional<FleetSetup> prepareFleet(const Arguments& a, CliIo& io) {
    const auto mode = modeOption(a, io);
    const auto count = mode ? countOption(a, io) : std::nullopt;
    const auto archive = count ? archiveOption(a, io) : std::nullopt;
    const auto backups = archive ? backupOption(a, archive->get() != nullptr, io) : std::nullopt;
    if (!backups)
        return std::nullopt;
    const PortTargetResult port = parsePortTarget(*a.value(opt::port));
    if (!port.target) {
        io.err << port.error << "\n";
        return std::nullopt;
    }
    const QString path = a.positional[0];
    const auto file = loadImage(path, io);
    if (!file)
        return std::nullopt;
    FleetSetup s{{}, *port.target, *count, *archive};
    s.plan = FleetPlan{*file,
                       path,
                       QFileInfo(path).fileName(),
                       portColumn(s.port),
                       *mode,
                       *backups,
                       a.value(opt::cardsDir).value_or(QString()),
                       a.value(opt::logFile).value_or(QString()),
                       a.flag(opt::anyType)};
    return s;
}

// What the run shows on the terminal.
class TerminalFleetView : public FleetView {
public:
    explicit TerminalFleetView(CliIo& io) : io_(io) {}

    void waitingForSet() override { say(QStringLiteral("Подключите радиостанцию…")); }
    void waitingForRemoval() override { say(QStringLiteral("Отключите радиостанцию…")); }
    void setRead(int number, const Image& asRead) override { say(fleetSetHeading(number, asRead)); }
    void backupSaved(const QString& path) override {
        say(QStringLiteral("  Считанные данные сохранены в файл %1").arg(shownPath(path)));
    }

    void setRecorded(const FleetSetRecord& record) override {
        const FleetSetReport& r = record.report;
        if (!r.read)
            say(QStringLiteral("Радиостанция %1:").arg(record.number));
        if (r.cutOffBefore)
            say(QStringLiteral("  ") + fleetReconnectedText(record));
        else if (r.numberSeenBefore)
            say(QStringLiteral("  Зав. № %1 уже встречался в этом сеансе")
                    .arg(QString::fromStdString(ZnTxt(r.asRead))));
        if (r.keptBefore.status == KeepResult::Kept)
            say(QStringLiteral("  Состояние сохранено в архиве: %1")
                    .arg(shownPath(r.keptBefore.path)));
        else if (r.keptBefore.failed() && r.result != FleetResult::Refused)
            io_.err << QStringLiteral("  ") << readNotKeptText(r.keptBefore.reason) << "\n";
        say(QStringLiteral("  ") + fleetSetLine(record));
        if (!record.cardPath.isEmpty())
            say(QStringLiteral("  Карта программирования: %1").arg(record.cardPath));
        if (!record.cardError.isEmpty())
            io_.err << QStringLiteral("  Карта программирования не записана: ") << record.cardError
                    << "\n";
        if (!record.logError.isEmpty())
            io_.err << record.logError << "\n";
    }

private:
    void say(const QString& line) {
        io_.out << line << "\n";
        io_.out.flush();
    }
    CliIo& io_;
};

void printSummary(const FleetTotals& t, bool withCards, CliIo& io) {
    const FleetSummary& s = t.summary;
    if (s.interrupted)
        io.out << QStringLiteral("Работа прервана\n");
    io.out << QStringLiteral("Итого радиостанций: %1\n").arg(s.sets);
    const FleetResult all[] = {FleetResult::Written,      FleetResult::AlreadyWritten,
                               FleetResult::Refused,      FleetResult::NoConnection,
                               FleetResult::VerifyFailed, FleetResult::WriteCutOff};
    for (FleetResult r : all)
        io.out << "  " << fleetSummaryName(r) << ": " << QString::number(s.count(r)) << "\n";
    if (withCards)
        io.out << "  " << fleetCardsFailedName() << ": " << QString::number(t.cardsFailed) << "\n";
}

} // namespace

// The most serious set decides, a card or a log row not written counting as
// a refusal; a set that answered and then stopped answering is unchanged and
// counts as a refusal too. No set at all is a connection that never came.
int fleetExitCode(const FleetTotals& t) {
    const FleetSummary& s = t.summary;
    if (s.sets == 0)
        return kExitNoConnection;
    Severity worst = t.cardsFailed > 0 || t.logFailed ? Severity::NotDone : Severity::Done;
    for (int r = 0; r < kFleetResultCount; ++r)
        if (s.counts[static_cast<std::size_t>(r)] > 0)
            worst = std::max(worst, severity(static_cast<FleetResult>(r)));
    return exitCodeFor(worst == Severity::NoAnswer ? Severity::NotDone : worst);
}

int runFleet(const Arguments& a, CliIo& io) {
    const auto setup = prepareFleet(a, io);
    if (!setup)
        return kExitRefused;
    TerminalFleetView view(io);
    FleetPlan plan = setup->plan;
    plan.archive = setup->archive.get(); // the setup's own, alive for the whole run
    FleetSession session(plan, view);
    if (const QString error = session.prepare(); !error.isEmpty()) {
        io.err << error << "\n";
        return kExitRefused;
    }
    LinkSession link(io);
    if (!link.open(setup->port))
        return kExitNoConnection;
    // Ctrl+C, a closed terminal, a termination request or an output pipe
    // closed by its reader stop the run between two steps, never in the
    // middle of a write; a closed console window on Windows leaves seconds
    // only, and a write that would not fit is not begun or is cut short (the
    // set's row says so).
    const os::StopRequests stop;
    PortFleetLine line(link.exchange(), plan.file, io.timings.timerMs, plan.archive);
    line.setTimeLeft([&stop] { return stop.msLeft(); });
    FleetOptions options;
    options.count = setup->count;
    options.stopRequested = [&stop] { return stop.requested(); };
    const FleetTotals totals = runFleetSession(line, session, options);
    if (totals.logFailed)
        io.err << totals.logError << QStringLiteral(". Строки, которые в него не записаны:\n")
               << totals.unwrittenRows;
    printSummary(totals, !setup->plan.cardsDir.isEmpty(), io);
    // While the stop requests are still noted: into a closed pipe the
    // summary is dropped rather than ending the process at exit.
    io.out.flush();
    return fleetExitCode(totals);
}

} // namespace ksv::cli
