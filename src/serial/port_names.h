#pragma once

// Which device stands for COM port n (1..4): the device named by the
// environment variable KSV717N_COM<n> when it is set (a USB serial adapter,
// a pseudo-terminal in tests), otherwise what the port map finds (a UART, a
// USB adapter; see port_map.h).

#include <string>

namespace ksv {

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 4;

// "KSV717N_COM3" for n = 3.
std::string portEnvironmentVariable(int n);

// The device to open for COM port n; empty when nothing stands behind it.
std::string portDeviceName(int n);

} // namespace ksv
