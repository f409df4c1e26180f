#pragma once

// SerialDevice over POSIX termios: non-blocking descriptor, exclusive use
// by flock plus TIOCEXCL, poll() with one eventfd per waiter for wake-ups.

#include "serial/serial_device.h"

#include <atomic>
#include <termios.h>

namespace ksv {

class PosixSerialDevice final : public SerialDevice {
public:
    PosixSerialDevice();
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    int error() const override { return error_; }
    bool applyLine(const LineSettings& line) override;
    int queuedIn() override;
    int queuedOut() override;
    int read(std::uint8_t* dst, int n) override;
    int write(const std::uint8_t* src, int n) override;
    void purgeIn() override;
    void purgeOut() override;
    ModemLines modemLines() override;
    bool hasModemLines() const override { return fd_ >= 0 && hasModemLines_; }
    void setDtr(bool on) override;
    void setRts(bool on) override;
    WaitResult wait(Waiter who, bool forIo, int timeoutMs) override;
    void wake(Waiter who) override;
    unsigned waitLineEvent(int timeoutMs) override;

private:
    struct Counters {
        int cts = 0, dsr = 0, rng = 0, dcd = 0, errors = 0, brk = 0;
    };
    bool readCounters(Counters& c);
    void setModemBit(int bit, bool on);

    int fd_ = -1;
    // The line settings the device had before we opened it, given back on
    // close: the port may be a console or another program's line.
    termios savedSettings_{};
    std::atomic<int> error_{0};
    int wakeFds_[3] = {-1, -1, -1};
    // Line state as last seen by waitLineEvent (status thread only).
    bool hasModemLines_ = false;
    bool hasCounters_ = false;
    ModemLines lastLines_;
    Counters lastCounters_;
};

} // namespace ksv
