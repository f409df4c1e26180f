#include "link/port_selection.h"

#include "link/port_exchange.h"

namespace ksv {

QString portStatusText(int n) {
    return QStringLiteral("Порт: COM%1").arg(n);
}

QString portUnavailableText(int n) {
    return QStringLiteral("Порт COM%1 не доступен").arg(n);
}

QString noFreePortText() {
    return QStringLiteral("Свободный COM порт не найден");
}

static PortChoice opened(const PortExchange& exchange) {
    PortChoice c;
    c.opened = true;
    c.port = exchange.openPort();
    c.statusText = portStatusText(c.port);
    return c;
}

PortChoice autoDetectPort(PortExchange& exchange) {
    if (exchange.FindPort())
        return opened(exchange);
    PortChoice c;
    c.errorText = noFreePortText();
    return c;
}

PortChoice choosePort(PortExchange& exchange, int n) {
    if (exchange.SelectPort(n))
        return opened(exchange);
    PortChoice c;
    c.errorText = portUnavailableText(n);
    return c;
}

} // namespace ksv
