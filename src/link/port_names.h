#pragma once

// Which device stands for COM port n (1..4): the device named by the
// environment variable KSV717N_COM<n> when it is set (a USB serial adapter,
// a pseudo-terminal in tests), otherwise the platform's own name for COMn.

#include <string>

namespace ksv {

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 4;

// "KSV717N_COM3" for n = 3.
std::string portEnvironmentVariable(int n);

// The device to open for COM port n.
std::string portDeviceName(int n);

} // namespace ksv
