// doctor: the connection diagnosis, port by port.

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/port_target.h"
#include "operations/port_doctor.h"
#include "serial/port_map.h"

#include <filesystem>
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

// What is found without opening anything: the four COM names and every
// other serial device. The console and controlling terminals are named but
// not touched; "skipped" receives their lines.
std::vector<DoctorTarget> foundTargets(QStringList& skipped) {
    namespace fs = std::filesystem;
    PortMap& map = systemPortMap();
    std::vector<DoctorTarget> out;
    std::set<std::string> seen;
    auto take = [&](const PortMapping& m, DoctorTarget t, const std::string& reason) {
        std::error_code ec;
        if (!t.device.empty() && !seen.insert(fs::weakly_canonical(t.device, ec).string()).second)
            return;
        if (m.device.empty() || m.searchable())
            out.push_back(t);
        else
            skipped << doctorPortLabel(t) + QStringLiteral(": не проверяется — %1; чтобы "
                                                           "проверить, укажите --port")
                                                .arg(QString::fromStdString(reason));
    };
    for (const PortMapping& m : map.resolveAll())
        take(m, comTarget(m), portReasonText(m));
    for (const SerialPortInfo& p : listSerialPorts(map.paths())) {
        const QString device = QString::fromStdString(p.device);
        const PortMapping g = map.guarded(p.device);
        take(g, DoctorTarget{device, p.device, {}}, p.description + "; " + portGuardText(g));
    }
    return out;
}

} // namespace

int runDoctor(const Arguments& a, CliIo& io) {
    std::vector<DoctorTarget> targets;
    QStringList skipped;
    if (const auto port = a.value(QStringLiteral("--port"))) {
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
    const DoctorOptions options{io.timings, systemPortMap().paths()};
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
