#pragma once

// The device behind a COM name, by the rule of the port map (port_map.h),
// and the environment variable that names one.

#include <string>

namespace ksv {

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 4;

// "KSV717N_COM3" for n = 3.
std::string portEnvironmentVariable(int n);

// The device to open for COM port n; empty when nothing stands behind it.
std::string portDeviceName(int n);

// The highest number a COM name may carry: 4 here (the names the program
// maps), 256 on Windows, whose ports carry their own numbers.
int highestComNumber();

// A device name as a user would give one, for messages: "/dev/ttyUSB0".
std::string deviceNameExample();

// The device a port name other than COM<n> means: "ttyUSB0" is
// "/dev/ttyUSB0" where that exists; other names stay as they are.
std::string devicePathForName(const std::string& name);

} // namespace ksv
