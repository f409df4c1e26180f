#include "operations/port_doctor.h"

#include "image/codecs.h"
#include "link/serial_port.h"
#include "link/transfer_protocol.h"
#include "operations/outcome_words.h"
#include "operations/transceiver_commands.h"
#include "serial/device_facts.h"

#include <QTimer>
#include <cstring>

namespace ksv {
namespace {

// The handshake as a read makes it: the attention byte and the protocol's
// repeats, one timer period apart.
constexpr int kAttentionSends = TransferProtocol::kMaxRetries + 1;

struct Checks {
    DoctorStep failedAt = DoctorStep::Done;
    QString words;
};

Checks fail(DoctorStep step, const QString& words) {
    return Checks{step, words};
}

QString advice(const DoctorTarget& t, const DoctorOptions& o, int error) {
    return QString::fromStdString(openErrorAdvice(t.device, error, t.comNumber, o.paths));
}

// Checks 2 to 4 on the bare device; on success the words hold a note.
Checks checkDevice(const DoctorTarget& t, const DoctorOptions& o) {
    const auto dev = createPlatformSerialDevice();
    if (!dev->open(t.device))
        return fail(DoctorStep::Opens, advice(t, o, dev->error()));
    if (!dev->applyLine(LineSettings{}))
        return fail(DoctorStep::Line,
                    QStringLiteral("порт не принимает настройки 9600 8N1 (%1)")
                        .arg(QString::fromLocal8Bit(std::strerror(dev->error()))));
    if (!dev->hasModemLines())
        return Checks{DoctorStep::Done,
                      QStringLiteral("модемных линий нет (псевдотерминал), CTS не проверялся")};
    if (!dev->modemLines().cts)
        return fail(DoctorStep::Cts,
                    QStringLiteral("нет сигнала CTS — кабель или радиостанция его не выставляют; "
                                   "проверьте кабель и включите радиостанцию"));
    return {};
}

QString noiseNote(int noise) {
    return QStringLiteral("посторонних байтов на линии: %1").arg(noise);
}

Checks attentionFailure(const AttentionOutcome& a) {
    if (a.strayAcks > 0)
        return fail(DoctorStep::Attention,
                    QStringLiteral("ответ 0x13 приходит вместе с посторонними байтами (%1) — "
                                   "помехи на линии или плохой контакт в кабеле")
                        .arg(a.noise + a.strayAcks));
    if (a.noise > 0)
        return fail(DoctorStep::Attention,
                    QStringLiteral("ответа 0x13 нет, принято посторонних байтов: %1 — помехи на "
                                   "линии или к порту подключено другое устройство")
                        .arg(a.noise));
    return fail(DoctorStep::Attention,
                QStringLiteral("радиостанция не отвечает (байт 0xFF отправлен %1 раз, ответа "
                               "0x13 нет) — проверьте, включена ли она и подключен ли кабель")
                    .arg(kAttentionSends));
}

QString readReport(const ReadOutcome& r) {
    return QStringLiteral("отвечает %1, зав. № %2, версия ПО %3, контрольная сумма %4, "
                          "выход 40(30) Вт %5")
        .arg(QString::fromUtf8(modelName(RsType(r.image))), QString::fromStdString(ZnTxt(r.image)),
             QString::fromStdString(VerTxt(r.image)),
             r.checksumValid ? QStringLiteral("верна") : QStringLiteral("неверна"),
             r.powerLocked ? QStringLiteral("заблокирован") : QStringLiteral("не заблокирован"));
}

// Checks 5 and 6 through the port component, as the read command runs them;
// the device's note goes after the report.
Checks checkTransceiver(const DoctorTarget& t, const DoctorOptions& o, const QString& note) {
    SerialPort port;
    configureSerialPort(port);
    port.setDeviceName(t.device);
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange(port, timer, view);
    exchange.setTimings(o.timings);
    port.setOpen(true);
    if (!port.Open())
        return fail(DoctorStep::Opens, advice(t, o, port.openError()));
    const AttentionOutcome a = exchange.CallAttention(TransferProtocol::kMaxRetries);
    if (!a.answered)
        return attentionFailure(a);
    const ReadOutcome read = readTransceiver(exchange, o.archive);
    if (!read.connected)
        return fail(DoctorStep::Read, QStringLiteral("отвечает на 0xFF, но полное чтение не "
                                                     "удалось — помехи на линии или плохой "
                                                     "контакт в кабеле"));
    QString words = readReport(read);
    const QString notKept = read.kept.failed() ? readNotKeptText(read.kept.reason) : QString();
    for (const QString& extra : {note, a.noise ? noiseNote(a.noise) : QString(), notKept})
        if (!extra.isEmpty())
            words += QStringLiteral("; ") + extra;
    return Checks{DoctorStep::Done, words};
}

Checks runChecks(const DoctorTarget& t, const DoctorOptions& o) {
    if (!deviceExists(t.device))
        return fail(DoctorStep::Exists, t.missingHint.isEmpty()
                                            ? QStringLiteral("устройство не найдено")
                                            : t.missingHint);
    const Checks device = checkDevice(t, o); // closed before the exchange opens it again
    if (device.failedAt != DoctorStep::Done)
        return device;
    return checkTransceiver(t, o, device.words);
}

} // namespace

QString doctorPortLabel(const DoctorTarget& t) {
    const QString device = QString::fromStdString(t.device);
    if (device.isEmpty() || device == t.name)
        return t.name;
    return QStringLiteral("%1 (%2)").arg(t.name, device);
}

DoctorResult diagnosePort(const DoctorTarget& target, const DoctorOptions& options) {
    const Checks c = runChecks(target, options);
    return DoctorResult{c.failedAt, doctorPortLabel(target) + QStringLiteral(": ") + c.words};
}

} // namespace ksv
