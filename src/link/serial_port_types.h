#pragma once

// Types of the serial port component's interface.

#include <cstdint>
#include <functional>

namespace ksv {

class SerialPort;

enum TBaudRate : int {
    cbr110,
    cbr300,
    cbr600,
    cbr1200,
    cbr2400,
    cbr4800,
    cbr9600,
    cbr14400,
    cbr19200,
    cbr38400,
    cbr56000,
    cbr57600,
    cbr115200,
    cbr128000,
    cbr256000,
};

// Bits per second of a TBaudRate; the rate for a number of bits per second,
// or -1 when the number is not one of the rates.
int baudOf(TBaudRate rate);
int baudRateOf(int bitsPerSecond);

enum TParity : int { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits : int { sb1_0, sb1_5, sb2_0 };

enum TC32EventState : int {
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRing,
    evRlsd,
    evRxChar,
    evRxFlag,
    evTxEmpty,
};

// Set of TC32EventState, one bit per state.
using TC32EventType = std::uint32_t;
constexpr TC32EventType eventBit(TC32EventState s) {
    return 1u << s;
}
constexpr TC32EventType kAllCommEvents = (1u << (evTxEmpty + 1)) - 1;

using TTriggerAvailEvent = std::function<void(SerialPort* sender, std::uint16_t count)>;

} // namespace ksv
