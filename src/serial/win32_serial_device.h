#pragma once

// SerialDevice over the Windows communications API, with overlapped I/O on
// "\\.\COMn". Windows only.
//
// Waits (one thread each, as the port component drives them):
//  - reader: a one-byte overlapped ReadFile is kept pending while the reader
//    waits; its completion is the notice of input. The byte it took is handed
//    out first by the next read(), the rest is read from the driver's queue.
//  - writer: write() hands the bytes to one overlapped WriteFile and returns
//    at once; the writer waits for its completion as for room to write.
//  - status: the only WaitCommEvent of the handle, for the modem lines and
//    line errors, kept pending across calls; where the port has no modem lines
//    or the driver cannot wait for events, the status waiter polls.
// Each waiter also waits for its own auto-reset wake event, so a wake() given
// before the wait is not lost.

#ifdef _WIN32

#include "serial/serial_device.h"

#include <atomic>
#include <memory>

namespace ksv {

class Win32SerialDevice final : public SerialDevice {
public:
    Win32SerialDevice();
    ~Win32SerialDevice() override;
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

    // "COM12", "com12" or "\\.\COM12"; other names are opened as "\\.\name".
    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    int error() const override { return error_; }
    // The Windows error code behind error() (0 when there is none), for messages.
    unsigned long win32Error() const { return win32Error_; }
    bool applyLine(const LineSettings& line) override;
    int queuedIn() override;
    int queuedOut() override;
    int read(std::uint8_t* dst, int n) override;
    int write(const std::uint8_t* src, int n) override;
    void purgeIn() override;
    void purgeOut() override;
    ModemLines modemLines() override;
    bool hasModemLines() const override { return isOpen() && hasModemLines_; }
    void setDtr(bool on) override;
    void setRts(bool on) override;
    WaitResult wait(Waiter who, bool forIo, int timeoutMs) override;
    void wake(Waiter who) override;
    unsigned waitLineEvent(int timeoutMs) override;

private:
    struct Io; // the handle, the events and the overlapped operations
    bool fail(int err, unsigned long win32Error);
    WaitResult waitForInput(int timeoutMs);
    WaitResult waitForWrite(int timeoutMs);
    unsigned waitCommEvent(int timeoutMs);
    unsigned pollLineEvents(int timeoutMs);
    unsigned takeLineErrors();

    std::unique_ptr<Io> io_;
    std::atomic<int> error_{0};
    std::atomic<unsigned long> win32Error_{0};
    bool hasModemLines_ = false;
    bool dtrOn_ = true;
    bool rtsOn_ = true;
    ModemLines lastLines_; // status waiter only
};

} // namespace ksv

#endif // _WIN32
