#include "cli/port_target.h"

#include "serial/device_facts.h"
#include "serial/port_map.h"
#include "serial/port_names.h"

#include <QRegularExpression>

namespace ksv::cli {
PortTargetResult parsePortTarget(const QString& text) {
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = com.match(text); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        if (n < kFirstComPort || n > highestComNumber())
            return {std::nullopt,
                    QStringLiteral("Порт \"%1\": допустимы COM1..COM%2 или имя устройства "
                                   "(например %3)")
                        .arg(text)
                        .arg(highestComNumber())
                        .arg(QString::fromStdString(deviceNameExample()))};
        return {PortTarget{n, portDeviceName(n), QStringLiteral("COM%1").arg(n)}, {}};
    }
    return {PortTarget{0, devicePathForName(text.toStdString()), text}, {}};
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
