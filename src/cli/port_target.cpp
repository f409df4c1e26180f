#include "cli/port_target.h"

#include "link/port_doctor.h"
#include "link/port_names.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

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
    const QString head = QStringLiteral("Порт %1 недоступен").arg(t.name);
    const QString dev = QString::fromStdString(t.device);
    if (t.device.empty())
        return head +
               QStringLiteral(": за %1 не стоит ни встроенный порт, ни USB-адаптер "
                              "(подключите адаптер или задайте устройство переменной "
                              "окружения %2)")
                   .arg(t.name, QString::fromStdString(portEnvironmentVariable(t.comNumber)));
    QString why;
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        why = QStringLiteral("устройство %1 не найдено").arg(dev);
        if (t.comNumber)
            why += QStringLiteral(" (задайте устройство порта переменной окружения %1)")
                       .arg(QString::fromStdString(portEnvironmentVariable(t.comNumber)));
        break;
    case EACCES:
    case EPERM:
        why = QStringLiteral("нет прав на устройство %1: добавьте пользователя в группу %2 "
                             "(sudo usermod -aG %2 $USER) и войдите в систему заново")
                  .arg(dev, deviceGroupName(t.device));
        break;
    case EBUSY:
    case EWOULDBLOCK:
        why = QStringLiteral("устройство %1 занято другой программой").arg(dev);
        break;
    case ENOTTY:
        why = QStringLiteral("%1 не является последовательным портом").arg(dev);
        break;
    default:
        why = QStringLiteral("%1: %2").arg(dev, QString::fromLocal8Bit(std::strerror(err)));
        break;
    }
    return head + QStringLiteral(": ") + why;
}

} // namespace ksv::cli
