#include "cli/port_target.h"

#include "serial/device_facts.h"
#include "serial/port_map.h"
#include "serial/port_names.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace ksv::cli {
PortTargetResult parsePortTarget(const QString& text) {
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = com.match(text); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        if (n < kFirstComPort || n > kLastComPort)
            return {std::nullopt,
                    QStringLiteral("Порт \"%1\": допустимы COM1..COM4 или имя устройства "
                                   "(например /dev/ttyUSB0)")
                        .arg(text)};
        return {PortTarget{n, portDeviceName(n), QStringLiteral("COM%1").arg(n)}, {}};
    }
    std::string device = text.toStdString();
    if (!text.contains('/') && QFileInfo::exists(QStringLiteral("/dev/") + text))
        device = "/dev/" + device;
    return {PortTarget{0, device, text}, {}};
}

QString portFailureText(const PortTarget& t, int err) {
    const QString head = QStringLiteral("Порт %1 недоступен: ").arg(t.name);
    if (t.device.empty())
        return head +
               QStringLiteral("за %1 не стоит ни встроенный порт, ни USB-адаптер "
                              "(подключите адаптер или задайте устройство переменной "
                              "окружения %2)")
                   .arg(t.name, QString::fromStdString(portEnvironmentVariable(t.comNumber)));
    return head + QString::fromStdString(
                      openErrorAdvice(t.device, err, t.comNumber, systemPortMap().paths()));
}

} // namespace ksv::cli
