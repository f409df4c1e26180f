// Commands that talk to the transceiver: ports, read, write, verify.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/link_session.h"
#include "cli/output_guard.h"
#include "files/file_names.h"
#include "files/shown_path.h"
#include "formats/image_diff.h"
#include "image/codecs.h"
#include "operations/outcome_words.h"
#include "operations/write_plan.h"

#include "serial/device_facts.h"
#include "serial/os/console.h"
#include "serial/os/file_system.h"
#include "serial/port_map.h"
#include "serial/port_names.h"
#include <QDir>

namespace ksv::cli {

using formats::compareImages;
using formats::formatChange;
namespace {

std::optional<PortTarget> portOption(const Arguments& a, CliIo& io) {
    const PortTargetResult r = parsePortTarget(*a.value(opt::port));
    if (!r.target)
        io.err << r.error << "\n";
    return r.target;
}

// --number is allowed only in service mode, as "изменить номер" is.
std::optional<bool> numberChangeOption(const Arguments& a, OperatingMode mode, CliIo& io) {
    const bool number = a.flag(opt::number);
    if (number && mode != omService) {
        io.err << QStringLiteral("Параметр --number действует только в сервисном режиме "
                                 "(--mode service)\n");
        return std::nullopt;
    }
    return numberChangeAllowed(mode, number);
}

void reportPowerLock(const ReadOutcome& read, CliIo& io) {
    if (read.powerLocked)
        io.err << QStringLiteral("Выход в режим 40(30) Вт заблокирован: радиостанция принимает "
                                 "только набор мощности \"5-10-20 (Возимая)\"\n");
}

struct Prepared {
    Image file;
    PortTarget port;
    bool numberChange = false;
};

// The checks every exchange command makes before it opens the port.
std::optional<Prepared> prepare(const Arguments& a, CliIo& io) {
    const auto mode = modeOption(a, io);
    if (!mode)
        return std::nullopt;
    const auto number = numberChangeOption(a, *mode, io);
    if (!number)
        return std::nullopt;
    const auto port = portOption(a, io);
    if (!port)
        return std::nullopt;
    const auto file = loadImage(a.positional[0], io);
    if (!file)
        return std::nullopt;
    return Prepared{*file, *port, *number};
}

// Prints the outcome's words, notices to out and errors to err.
void printWords(const OutcomeWords& w, CliIo& io) {
    if (w.kind == WordsKind::Information)
        io.out << w.text << "\n";
    else if (w.kind == WordsKind::Error)
        io.err << w.text << "\n";
}

} // namespace

int runPorts(const Arguments&, CliIo& io) {
    const auto ports = listSerialPorts(systemPortMap().paths());
    if (ports.empty())
        io.out << QStringLiteral("Последовательные порты не найдены\n");
    else
        io.out << QStringLiteral("Последовательные порты:\n");
    for (const auto& p : ports) {
        io.out << "  " << p.device << "  " << p.description;
        if (!p.usbId.empty())
            io.out << "  USB " << p.usbId;
        if (!p.serial.empty())
            io.out << QStringLiteral("  серийный № ") << p.serial;
        io.out << "\n";
    }
    const std::vector<PortMapping> names = systemPortMap().offered();
    io.out << (names.size() > 4 ? QStringLiteral("Имена COM1..COM4 и порты выше COM4:\n")
                                : QStringLiteral("Имена COM1..COM4:\n"));
    for (const PortMapping& m : names) {
        io.out << "  COM" << std::to_string(m.com);
        // A port the system lists by its COM name needs no device named.
        if (m.device.empty() || m.source == PortSource::System || m.source == PortSource::Nothing) {
            io.out << " — " << portReasonText(m) << "\n";
            continue;
        }
        io.out << " = " << m.device << " (" << portReasonText(m) << ")";
        if (!deviceExists(m.device))
            io.out << QStringLiteral(" — нет такого устройства");
        io.out << "\n";
    }
    return kExitOk;
}

int runRead(const Arguments& a, CliIo& io) {
    const auto port = portOption(a, io);
    const auto archive = port ? archiveOption(a, io) : std::nullopt;
    if (!archive)
        return kExitRefused;
    const auto path = a.value(opt::output);
    if (!path && !archive->get()) {
        io.err << QStringLiteral("Команда read: с --no-archive задайте файл -o FILE.ust\n");
        return kExitRefused;
    }
    LinkSession link(io);
    if (!link.open(*port))
        return kExitNoConnection;
    const ReadOutcome read = link.read(archive->get());
    if (!read.connected)
        return kExitNoConnection;
    reportPowerLock(read, io);
    // The image is saved exactly as read, so that it can be written back.
    if (path && !saveImage(*path, read.image, io)) {
        reportKept(read.kept, io);
        return kExitRefused;
    }
    if (read.checksumValid)
        printWords(outcomeWords(read), io);
    else
        io.err << QStringLiteral("Внимание: контрольная сумма считанных данных неверна\n");
    reportKept(read.kept, io);
    const QString what = QStringLiteral("%1, зав. № %2")
                             .arg(QString::fromUtf8(modelName(RsType(read.image))),
                                  QString::fromStdString(ZnTxt(read.image)));
    if (path)
        io.out << QStringLiteral("Записан файл %1: %2\n").arg(shownPath(*path), what);
    else
        io.out << QStringLiteral("Считано: %1\n").arg(what);
    return read.kept.failed() && !path ? kExitRefused : kExitOk;
}

namespace {

// The command line's side of a write: the file is the current image as it
// stands (its power bit plays the power level list); the backup is saved
// once the transceiver has answered; a dry run shows the plan and stops, and
// so does a stop request that came before the first record.
class CliWrite : public WriteQuestions {
public:
    CliWrite(const Prepared& p, std::optional<QString> backup, bool dryRun,
             const os::StopRequests& stop, CliIo& io)
        : p_(p), backup_(std::move(backup)), dryRun_(dryRun), stop_(stop), io_(io) {}

    bool imageRead(const ReadOutcome& read) override {
        reportPowerLock(read, io_);
        if (!read.kept.failed())
            reportKept(read.kept, io_);
        incoming_ = read.image;
        return !backup_ || saveNewImage(*backup_, read.image, io_);
    }
    Image imageToWrite() override { return p_.file; }
    bool numberChangeAllowed() override { return p_.numberChange; }
    bool proceedWithWrite(const WritePlan& plan) override {
        if (stop_.requested()) {
            io_.err << QStringLiteral(
                "Запись не начата: команда остановлена, радиостанция не изменилась\n");
            return false;
        }
        if (!dryRun_)
            return true;
        io_.out << QStringLiteral("Будет записано байт: %1 (радиостанция ничего не получила)\n")
                       .arg(plan.list.count);
        for (const auto& c : compareImages(incoming_, plan.merged))
            io_.out << formatChange(c) << "\n";
        dryRunShown_ = true;
        return false;
    }
    // Without --no-archive nothing is written into a set whose state before
    // the write is not on disk.
    bool writeWithoutArchive(const QString& reason) override {
        io_.err << notKeptText(reason)
                << QStringLiteral(". Ничего не записано (записать без архива: --no-archive)\n");
        return false;
    }
    bool dryRunShown() const { return dryRunShown_; }

private:
    const Prepared& p_;
    std::optional<QString> backup_;
    bool dryRun_;
    const os::StopRequests& stop_;
    CliIo& io_;
    Image incoming_;
    bool dryRunShown_ = false;
};

// Exit code of a write; "Нет соединения" was printed by the session. A dry
// run stops once it has shown what it would send: that is its success.
int writeExitCode(const WriteOutcome& o, const CliWrite& ask) {
    if (o.result == WriteResult::Stopped && ask.dryRunShown())
        return kExitOk;
    return exitCodeFor(severity(o.result));
}

} // namespace

namespace {

// --backup keeps what the set held: an existing name is refused before the
// set is read, so that a repeated command never replaces an original.
bool backupNameIsFree(const QString& backup, const QString& input, CliIo& io) {
    if (!checkOutputIsNotAnInput(backup, {input}, io))
        return false;
    const std::string name = nameForSystem(backup);
    if (os::fileKind(name) == os::FileKind::Absent && !os::isLink(name))
        return true;
    io.err << QStringLiteral("Файл %1 уже есть: --backup не заменяет файлы, задайте новое имя "
                             "(установки до записи сохраняются и в архиве)\n")
                  .arg(shownPath(backup));
    return false;
}

void reportWrite(const WriteOutcome& o, int code, CliIo& io) {
    if (o.result == WriteResult::WriteCutOff) {
        io.err << writeCutOffText(o) << QStringLiteral(" — подключите её и повторите запись\n");
        if (!o.read.kept.path.isEmpty())
            io.err << QStringLiteral("Её установки до этой записи — в файле %1\n")
                          .arg(QDir::toNativeSeparators(o.read.kept.path));
    } else if (code != kExitNoConnection) {
        printWords(outcomeWords(o), io);
    }
    if (o.read.kept.failed() && o.result != WriteResult::NotKept)
        reportKept(o.read.kept, io);
    reportKept(o.keptAfter, io);
}

} // namespace

int runWrite(const Arguments& a, CliIo& io) {
    const auto p = prepare(a, io);
    const auto archive = p ? archiveOption(a, io) : std::nullopt;
    if (!archive)
        return kExitRefused;
    const auto backup = a.value(opt::backup);
    if (backup && !backupNameIsFree(*backup, a.positional[0], io))
        return kExitRefused;

    LinkSession link(io);
    if (!link.open(p->port))
        return kExitNoConnection;
    // Ctrl+C, a closed terminal or pipe and SIGTERM stop the command before
    // the first record; once records are sent, the write is finished and
    // verified, so that no set is left holding half of the file.
    const os::StopRequests stop;
    CliWrite ask(*p, backup, a.flag(opt::dryRun), stop, io);
    const WriteOutcome outcome = link.write(ask, archive->get());
    const int code = writeExitCode(outcome, ask);
    reportWrite(outcome, code, io);
    io.out.flush(); // while a closed pipe still drops output instead of ending the process
    return code;
}

int runVerify(const Arguments& a, CliIo& io) {
    const auto p = prepare(a, io);
    const auto archive = p ? archiveOption(a, io) : std::nullopt;
    if (!archive)
        return kExitRefused;
    LinkSession link(io);
    if (!link.open(p->port))
        return kExitNoConnection;
    const VerifyOutcome v = link.verify(p->file, p->numberChange, archive->get());
    reportKept(v.read.kept, io);
    switch (v.result) {
    case VerifyResult::NoConnection:
        return kExitNoConnection;
    case VerifyResult::Refused:
        printWords(outcomeWords(v), io);
        return kExitVerifyFailed;
    case VerifyResult::Matches:
        io.out << QStringLiteral("Данные в радиостанции совпадают с файлом\n");
        return kExitOk;
    case VerifyResult::Differs:
        break;
    }
    io.out << QStringLiteral("Отличия (радиостанция → файл):\n");
    for (const auto& c : compareImages(v.read.image, v.plan.merged))
        io.out << "  " << formatChange(c) << "\n";
    printWords(outcomeWords(v), io);
    return kExitVerifyFailed;
}

} // namespace ksv::cli
