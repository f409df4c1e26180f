#pragma once

// The --port argument: COM1 to COM4 (mapped to devices as the window maps
// them, KSV717N_COM<n> first; on Windows any COM name up to COM256) or a
// device path. And the words for a port that cannot be opened.

#include <QString>
#include <optional>
#include <string>

namespace ksv::cli {

struct PortTarget {
    int comNumber = 0;  // n for "COM<n>", else 0
    std::string device; // the device to open
    QString name;       // as the user wrote it ("COM3", "/dev/ttyUSB0")
};

struct PortTargetResult {
    std::optional<PortTarget> target;
    QString error; // set when target is empty
};

// "COM1".."COM4" (on Windows up to "COM256") in any case; a name without
// "/" that exists under /dev ("ttyUSB0") means that device; anything else
// is taken as a path.
PortTargetResult parsePortTarget(const QString& text);

// "Порт COM3 недоступен: ..." with the reason for the open error (errno):
// a missing device, missing rights (naming the device and its group), a port
// held by another program.
QString portFailureText(const PortTarget& target, int openError);

} // namespace ksv::cli
