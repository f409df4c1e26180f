#pragma once

// What the operating system can tell about a serial device without using
// it: whether it exists, which group may open it, which program holds it,
// and, for a device that would not open, why and what to do (one text for
// the command line, the connection check and the window's tooltips).

#include "serial/serial_inventory.h"

#include <string>

namespace ksv {

bool deviceExists(const std::string& device);

// A process that holds the device open, found through the lock it holds or
// /proc/<pid>/fd where readable: "minicom (pid 1234)"; empty when none can
// be seen (a process of another user; always on Windows, which does not say).
std::string deviceHolder(const SystemPaths& paths, const std::string& device);

// The group that owns the device and whose members may open it ("dialout"
// when the device belongs to root's group or cannot be looked at; empty on
// Windows, which has no such groups).
std::string deviceGroupName(const std::string& device);

// One spelling for every name of a device, to tell whether two names lead to
// the same one (links resolved; on Windows "com5" and "\\.\COM5" agree),
// without opening it.
std::string deviceIdentity(const std::string& device);

// Why the device would not open (errno-style code from SerialDevice::error)
// and what to do, e.g. "нет прав на устройство /dev/ttyUSB0: добавьте
// пользователя в группу dialout (...) и войдите в систему заново"; on
// Windows "порт занят другой программой — закройте её". A COM number (1..)
// adds how that name is given a device; 0 for a device path.
std::string openErrorAdvice(const std::string& device, int error, int comNumber = 0,
                            const SystemPaths& paths = {});

} // namespace ksv
