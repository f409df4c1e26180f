#pragma once

// The outcome of choosing a port, as the main window applies it: which COM
// items carry the check mark, the status bar text, whether reading and
// writing become available, and the error to show.

#include <QString>

namespace ksv {

class PortExchange;

struct PortChoice {
    bool opened = false; // on success: check port's items, set statusText, enable Read/Write
    int port = 0;        // the port now open (1..4), 0 when none
    QString statusText;  // "Порт: COM3"
    QString errorText;   // on failure: the error message to show; everything else stays
};

QString portStatusText(int n);      // "Порт: COM<n>"
QString portUnavailableText(int n); // "Порт COM<n> не доступен"
QString noFreePortText();           // "Свободный COM порт не найден"

// Auto-detection (menu "Автоопределение", the tool button, start-up).
PortChoice autoDetectPort(PortExchange& exchange);
// Choosing COM n from the menu.
PortChoice choosePort(PortExchange& exchange, int n);

} // namespace ksv
