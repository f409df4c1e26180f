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

} // namespace ksv
