// doctor: the connection diagnosis, port by port.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/port_target.h"
#include "operations/port_doctor.h"
#include "serial/device_facts.h"
#include "serial/port_map.h"

#include <set>

namespace ksv::cli {
namespace {

QString missingHint(const PortMapping& m) {
    const QString variable = QStringLiteral("KSV717N_COM%1").arg(m.com);
    switch (m.source) {
    case PortSource::Variable:
        return QStringLiteral("устройство не найдено — проверьте переменную %1").arg(variable);
    case PortSource::UsbAdapter:
        return QStringLiteral("устройство не найдено — USB-адаптер отключен");
    case PortSource::Uart:
    case PortSource::System:
        return QStringLiteral("устройство не найдено");
    case PortSource::Nothing:
        break;
    }
    return QStringLiteral("нет устройства — ни встроенного порта, ни USB-адаптера; подключите "
                          "адаптер или задайте устройство переменной %1")
        .arg(variable);
}

DoctorTarget comTarget(const PortMapping& m) {
    return DoctorTarget{QStringLiteral("COM%1").arg(m.com), m.device, missingHint(m), m.com};
}

QString notCheckedLine(const DoctorTarget& t, const std::string& reason) {
    return doctorPortLabel(t) +
           QStringLiteral(": не проверяется — %1; чтобы проверить, укажите --port")
               .arg(QString::fromStdString(reason));
}

// The devices behind COM1..COM4 (USB adapters among them; on Windows also
// the present ports above COM4, which the search tries too) are checked;
// every other serial device is only named: opening it raises DTR, which
// resets some boards and disturbs a modem or a GPS receiver. The console
// and controlling terminals are named but never touched.
std::vector<DoctorTarget> foundTargets(QStringList& skipped) {
    PortMap& map = systemPortMap();
    std::vector<DoctorTarget> out;
    std::set<std::string> seen;
    const auto canonical = deviceIdentity;
    for (const PortMapping& m : map.offered()) {
        const DoctorTarget t = comTarget(m);
        if (!m.device.empty())
            seen.insert(canonical(m.device));
        if (m.device.empty() || m.searchable())
            out.push_back(t);
        else
            skipped << notCheckedLine(t, portReasonText(m));
    }
    for (const SerialPortInfo& p : listSerialPorts(map.paths())) {
        if (!seen.insert(canonical(p.device)).second)
            continue;
        const PortMapping g = map.guarded(p.device);
        const std::string guard = portGuardText(g);
        const DoctorTarget t{QString::fromStdString(p.device), p.device, {}};
        skipped << notCheckedLine(t, guard.empty() ? p.description + " вне имён COM1..COM4"
                                                   : p.description + "; " + guard);
    }
    return out;
}

} // namespace

int runDoctor(const Arguments& a, CliIo& io) {
    const auto archive = archiveOption(a, io);
    if (!archive)
        return kExitRefused;
    std::vector<DoctorTarget> targets;
    QStringList skipped;
    if (const auto port = a.value(opt::port)) {
        const PortTargetResult r = parsePortTarget(*port);
        if (!r.target) {
            io.err << r.error << "\n";
            return kExitRefused;
        }
        targets.push_back(r.target->comNumber
                              ? comTarget(systemPortMap().resolve(r.target->comNumber))
                              : DoctorTarget{r.target->name, r.target->device, {}});
    } else {
        targets = foundTargets(skipped);
    }
    const DoctorOptions options{io.timings, systemPortMap().paths(), archive->get()};
    bool answered = false;
    for (const DoctorTarget& t : targets) {
        const DoctorResult r = diagnosePort(t, options);
        io.out << r.verdict << "\n";
        io.out.flush();
        answered = answered || r.answered();
    }
    for (const QString& line : skipped)
        io.out << line << "\n";
    return answered ? kExitOk : kExitNoConnection;
}

} // namespace ksv::cli
