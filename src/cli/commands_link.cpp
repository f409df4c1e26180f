// Commands that talk to the transceiver: ports, read, write, verify.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/image_diff.h"
#include "cli/link_session.h"
#include "cli/output_guard.h"
#include "cli/serial_ports.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "link/command_texts.h"
#include "link/port_names.h"
#include "link/transfer_protocol.h"
#include "link/write_plan.h"

#include <QFileInfo>

namespace ksv::cli {
namespace {

std::optional<PortTarget> portOption(const Arguments& a, CliIo& io) {
    const PortTargetResult r = parsePortTarget(*a.value(QStringLiteral("--port")));
    if (!r.target)
        io.err << r.error << "\n";
    return r.target;
}

// --number is allowed only in service mode, as "изменить номер" is.
std::optional<bool> numberChangeOption(const Arguments& a, OperatingMode mode, CliIo& io) {
    const bool number = a.flag(QStringLiteral("--number"));
    if (number && mode != omService) {
        io.err << QStringLiteral("Параметр --number действует только в сервисном режиме "
                                 "(--mode service)\n");
        return std::nullopt;
    }
    return numberChangeAllowed(mode, number);
}

void reportPowerLock(std::uint8_t status, CliIo& io) {
    if (status & TransferProtocol::kPowerLockBit)
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

} // namespace

int runPorts(const Arguments&, CliIo& io) {
    const auto ports = listSerialPorts();
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
    io.out << QStringLiteral("Имена COM1..COM4:\n");
    for (int n = kFirstComPort; n <= kLastComPort; ++n) {
        const std::string device = portDeviceName(n);
        const bool mapped = std::getenv(portEnvironmentVariable(n).c_str()) != nullptr;
        io.out << "  COM" << std::to_string(n) << " = " << device;
        if (mapped)
            io.out << " (" << portEnvironmentVariable(n) << ")";
        if (!QFileInfo::exists(QString::fromStdString(device)))
            io.out << QStringLiteral(" — нет такого устройства");
        io.out << "\n";
    }
    return kExitOk;
}

int runRead(const Arguments& a, CliIo& io) {
    const auto port = portOption(a, io);
    if (!port)
        return kExitRefused;
    const QString path = *a.value(QStringLiteral("-o"));
    LinkSession link(io);
    Image image;
    std::uint8_t status = 0;
    if (!link.open(*port) || !link.read(image, status))
        return kExitNoConnection;
    reportPowerLock(status, io);
    // The image is saved exactly as read, so that it can be written back.
    if (!saveImage(path, image, io))
        return kExitRefused;
    if (CheckCRC(image))
        io.out << readDoneText() << "\n";
    else
        io.err << QStringLiteral("Внимание: контрольная сумма считанных данных неверна\n");
    io.out << QStringLiteral("Записан файл %1: %2, зав. № %3\n")
                  .arg(path, QString::fromUtf8(modelName(RsType(image))),
                       QString::fromStdString(ZnTxt(image)));
    return kExitOk;
}

int runWrite(const Arguments& a, CliIo& io) {
    const auto p = prepare(a, io);
    if (!p)
        return kExitRefused;
    const auto backup = a.value(QStringLiteral("--backup"));
    if (backup && !outputIsNoInput(*backup, {a.positional[0]}, io))
        return kExitRefused;

    LinkSession link(io);
    Image incoming;
    std::uint8_t status = 0;
    if (!link.open(p->port) || !link.read(incoming, status))
        return kExitNoConnection;
    reportPowerLock(status, io);
    if (backup && !saveImage(*backup, incoming, io))
        return kExitRefused;

    // The file is the current image as it stands; its power bit plays the
    // power level list.
    Image current = p->file;
    const bool powerAtFirst = testBit(current[off::Options223], bit::PowerSet);
    const WritePlan plan = planWrite(current, incoming, status, powerAtFirst, p->numberChange);
    if (plan.checksumComputed)
        current[off::Checksum] = plan.checksum;
    if (writeDecisionIsError(plan.decision)) {
        io.err << writeDecisionText(plan.decision) << "\n";
        return kExitRefused;
    }
    if (plan.decision == WriteDecision::AlreadyWritten) {
        io.out << writeDecisionText(plan.decision) << "\n";
        return kExitOk;
    }
    if (a.flag(QStringLiteral("--dry-run"))) {
        io.out << QStringLiteral("Будет записано байт: %1 (радиостанция ничего не получила)\n")
                      .arg(plan.list.count);
        for (const auto& c : compareImages(incoming, plan.merged))
            io.out << formatChange(c) << "\n";
        return kExitOk;
    }
    if (!link.exchange().WriteData(plan.list)) {
        io.err << noConnectionText() << "\n";
        return kExitNoConnection;
    }
    if (!link.exchange().VerifyData(current, p->numberChange)) {
        io.err << writeCheckFailedText() << "\n";
        return kExitVerifyFailed;
    }
    io.out << writtenText() << "\n";
    return kExitOk;
}

int runVerify(const Arguments& a, CliIo& io) {
    const auto p = prepare(a, io);
    if (!p)
        return kExitRefused;
    LinkSession link(io);
    Image incoming;
    std::uint8_t status = 0;
    if (!link.open(p->port) || !link.read(incoming, status))
        return kExitNoConnection;
    // The transceiver holds the file when a write would have nothing to
    // send: every writable byte equal, the checksum of the merged image included.
    const WritePlan plan = planWrite(p->file, incoming, 0, true, p->numberChange);
    if (writeDecisionIsError(plan.decision)) {
        io.err << writeDecisionText(plan.decision) << "\n";
        return kExitVerifyFailed;
    }
    if (plan.decision == WriteDecision::AlreadyWritten) {
        io.out << QStringLiteral("Данные в радиостанции совпадают с файлом\n");
        return kExitOk;
    }
    io.out << QStringLiteral("Отличия (радиостанция → файл):\n");
    for (const auto& c : compareImages(incoming, plan.merged))
        io.out << "  " << formatChange(c) << "\n";
    io.err << writeCheckFailedText() << "\n";
    return kExitVerifyFailed;
}

} // namespace ksv::cli
