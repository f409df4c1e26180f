#pragma once

// The operating system's side of a serial port, as the port component needs
// it: open and close a device exclusively, set the line, move bytes without
// blocking, learn the queue sizes and the modem lines, and wait for input,
// for room to write or for a line event, each wait cancellable from another
// thread. One body per platform: POSIX termios (posix_serial_device.*) and
// the Win32 communications API (win32_serial_device.*).

#include <cstdint>
#include <memory>
#include <string>

namespace ksv {

enum class ParityMode { None, Odd, Even, Mark, Space };
enum class StopBitsMode { One, OneAndHalf, Two };

struct LineSettings {
    int baud = 9600;
    int dataBits = 8;
    ParityMode parity = ParityMode::None;
    StopBitsMode stopBits = StopBitsMode::One;
};

struct ModemLines {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
    bool operator==(const ModemLines&) const = default;
};

// Line events reported by waitLineEvent(), as a bit set.
namespace lineev {
constexpr unsigned Break = 1u << 0;
constexpr unsigned Cts = 1u << 1;
constexpr unsigned Dsr = 1u << 2;
constexpr unsigned Error = 1u << 3;
constexpr unsigned Ring = 1u << 4;
constexpr unsigned Rlsd = 1u << 5;
// Raised by the port component itself when its output has drained.
constexpr unsigned TxEmpty = 1u << 6;
} // namespace lineev

// The line events a change of the modem lines makes: each line that changed,
// and a ring that began.
constexpr unsigned modemLineEvents(const ModemLines& before, const ModemLines& now) {
    return (now.cts != before.cts ? lineev::Cts : 0u) | (now.dsr != before.dsr ? lineev::Dsr : 0u) |
           (now.rlsd != before.rlsd ? lineev::Rlsd : 0u) |
           (now.ring && !before.ring ? lineev::Ring : 0u);
}

enum class WaitResult {
    Ready,   // the awaited condition holds
    Woken,   // wake() was called for this waiter
    Timeout, // the time ran out
    Hangup,  // the line is gone (device unplugged, other end closed)
    Failed,  // the wait itself failed
};

// The three threads that wait on a device, each with its own wake-up.
enum class Waiter { Reader = 0, Writer = 1, Status = 2 };

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device for exclusive use. False with error() set when the
    // device is absent, busy, not a serial port or not permitted.
    virtual bool open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // errno-style code of the last failed operation (0 after success).
    virtual int error() const = 0;

    // Sets the line fully raw with these settings. False when the device
    // refuses them.
    virtual bool applyLine(const LineSettings& line) = 0;

    // Bytes waiting in the driver's input / output queue, -1 on failure.
    virtual int queuedIn() = 0;
    virtual int queuedOut() = 0;

    // Moves up to n bytes without waiting; the count moved, 0 when none can
    // move now, -1 on failure.
    virtual int read(std::uint8_t* dst, int n) = 0;
    virtual int write(const std::uint8_t* src, int n) = 0;

    // Discard the driver's pending input / output.
    virtual void purgeIn() = 0;
    virtual void purgeOut() = 0;

    // The modem lines. A device without modem lines reports CTS on.
    virtual ModemLines modemLines() = 0;
    // Whether the open device has modem lines at all (a pseudo-terminal has none).
    virtual bool hasModemLines() const { return false; }
    virtual void setDtr(bool on) = 0;
    virtual void setRts(bool on) = 0;

    // Waits up to timeoutMs. With forIo the reader waits for input, the
    // writer for room in the output queue; without it (and always for the
    // status waiter) only for wake() or the time-out. Wake-ups do not get
    // lost: a wake() before the wait makes it return at once.
    virtual WaitResult wait(Waiter who, bool forIo, int timeoutMs) = 0;
    virtual void wake(Waiter who) = 0;

    // Line events (lineev bits) since the last call, after waiting up to
    // timeoutMs for one to occur or for wake(Waiter::Status).
    virtual unsigned waitLineEvent(int timeoutMs) = 0;
};

// A new device of the platform's kind.
std::unique_ptr<SerialDevice> createPlatformSerialDevice();

} // namespace ksv
