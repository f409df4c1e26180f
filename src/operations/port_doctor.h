#pragma once

// Connection diagnosis ("Диагностика соединения"): for one port the checks
// a service engineer would make, in order, stopping at the first that fails:
//   1. the device exists;
//   2. it can be opened (no permission: the device's group and the fix;
//      busy: the program holding it);
//   3. the line takes 9600 8N1, raw;
//   4. CTS is raised, where the device has modem lines;
//   5. the transceiver answers the attention handshake (0xFF, 0x13) within
//      the protocol's repeats; other bytes are counted as noise;
//   6. a full read works (model, factory number, firmware, checksum, power
//      lock bit); the state read is kept like every other.
// No write record is ever sent: the check sends attention bytes and reads.
// The outcome is one line in plain words.

#include "files/state_archive.h"
#include "link/port_exchange.h"
#include "serial/serial_inventory.h"

#include <QString>
#include <string>

namespace ksv {

struct DoctorTarget {
    QString name;        // "COM2", or the device as given
    std::string device;  // empty: nothing stands behind the COM name
    QString missingHint; // what to do when the device is missing
    int comNumber = 0;   // 1.. for a COM name
};

struct DoctorOptions {
    ExchangeTimings timings{};
    SystemPaths paths{};
    const StateArchive* archive = nullptr; // where a state read is kept; nullptr: nowhere
};

enum class DoctorStep { Exists, Opens, Line, Cts, Attention, Read, Done };

struct DoctorResult {
    DoctorStep failedAt = DoctorStep::Done; // Done: every check passed
    bool answered() const { return failedAt == DoctorStep::Done; }
    QString verdict; // "COM2 (/dev/ttyUSB0): отвечает Тарвен-52, зав. № 654321, ..."
};

DoctorResult diagnosePort(const DoctorTarget& target, const DoctorOptions& options);

// "COM2 (/dev/ttyUSB0)" or "/dev/ttyUSB0".
QString doctorPortLabel(const DoctorTarget& target);

} // namespace ksv
