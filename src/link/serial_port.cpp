#include "link/serial_port.h"

#include "serial/port_names.h"

#include <QMetaObject>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ksv {

namespace {

// How long the owner waits for a thread to signal its start.
constexpr std::chrono::milliseconds kStartWait{1000};
// Longest pause of the status thread between two looks at the line.
constexpr int kStatusPeriodMs = 100;
// Longest pause of the writer while it has nothing it can move.
constexpr int kWriterPauseMs = 100;
// Pause of the writer while the driver's queue is at OutSize.
constexpr int kWriterFullPauseMs = 10;

constexpr int kBauds[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                          19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

int baudOf(TBaudRate rate) {
    return kBauds[rate];
}

int baudRateOf(int bitsPerSecond) {
    for (int i = 0; i <= cbr256000; ++i)
        if (kBauds[i] == bitsPerSecond)
            return i;
    return -1;
}

SerialPort::SerialPort(QObject* parent)
    : QObject(parent), factory_(createPlatformSerialDevice),
      // Queued by name: the owner thread's event loop then runs the call.
      calls_([this] { QMetaObject::invokeMethod(this, "runHandOver", Qt::QueuedConnection); }) {}

SerialPort::~SerialPort() {
    // Closing runs the events the workers are still waiting to deliver. A
    // component being destroyed reports nothing any more: its handlers may
    // refer to things their owner has already destroyed.
    OnTriggerAvail = nullptr;
    DoClose();
}

void SerialPort::runHandOver() {
    calls_.runPending();
}

void SerialPort::setDeviceFactory(std::function<std::unique_ptr<SerialDevice>()> factory) {
    factory_ = factory ? std::move(factory) : createPlatformSerialDevice;
}

std::string SerialPort::effectiveDeviceName() const {
    return deviceName_.empty() ? portDeviceName(comNumber_) : deviceName_;
}

LineSettings SerialPort::lineSettings() const {
    static constexpr ParityMode parities[] = {ParityMode::None, ParityMode::Odd, ParityMode::Even,
                                              ParityMode::Mark, ParityMode::Space};
    static constexpr StopBitsMode stops[] = {StopBitsMode::One, StopBitsMode::OneAndHalf,
                                             StopBitsMode::Two};
    return LineSettings{baudOf(baudRate_), databits_, parities[parity_], stops[stopbits_]};
}

void SerialPort::applyLine() {
    if (IsOpen())
        device_->applyLine(lineSettings());
}

void SerialPort::setBaudRate(TBaudRate r) {
    baudRate_ = r;
    applyLine();
}

void SerialPort::setBaud(int bitsPerSecond) {
    const int r = baudRateOf(bitsPerSecond);
    if (r >= 0)
        setBaudRate(static_cast<TBaudRate>(r));
}

void SerialPort::setParity(TParity p) {
    parity_ = p;
    applyLine();
}

void SerialPort::setStopbits(TStopbits s) {
    stopbits_ = s;
    applyLine();
}

void SerialPort::setDatabits(int bits) {
    databits_ = bits;
    applyLine();
}

void SerialPort::setDTR(bool on) {
    dtr_ = on;
    if (!IsOpen())
        return;
    device_->setDtr(on);
}

void SerialPort::setRTS(bool on) {
    rts_ = on;
    if (IsOpen())
        device_->setRts(on);
}

bool SerialPort::IsOpen() const {
    return device_ && device_->isOpen();
}

void SerialPort::startThread(std::thread& t, std::atomic<bool>& started,
                             void (SerialPort::*loop)()) {
    started = false;
    t = std::thread(loop, this);
    calls_.waitRunningCalls([&] { return started.load(); }, kStartWait);
}

void SerialPort::DoOpen() {
    if (open_)
        return;
    std::unique_ptr<SerialDevice> dev = factory_();
    if (!dev->open(effectiveDeviceName())) {
        openError_ = dev->error();
        return;
    }
    openError_ = 0;
    device_ = std::move(dev);
    device_->applyLine(lineSettings());
    closing_ = false;
    rx_.assign(static_cast<size_t>(inSize_), 0);
    tx_.assign(static_cast<size_t>(outSize_), 0);
    rxCount_ = 0;
    txCount_ = 0;
    statusEnded_ = readEnded_ = writeEnded_ = false;
    calls_.release(false);
    startThread(statusThread_, statusStarted_, &SerialPort::statusLoop);
    startThread(readThread_, readStarted_, &SerialPort::readLoop);
    startThread(writeThread_, writeStarted_, &SerialPort::writeLoop);
    open_ = true;
}

void SerialPort::stopThread(std::thread& t, std::atomic<bool>& ended, Waiter who) {
    if (!t.joinable())
        return;
    device_->wake(who);
    while (!calls_.waitRunningCalls([&] { return ended.load(); }, std::chrono::seconds(1)))
        device_->wake(who);
    t.join();
}

void SerialPort::DoClose() {
    closing_ = true;
    if (!open_ && !device_)
        return;
    ring_ = false;
    rlsd_ = false;
    // A close from inside an event handler: the worker that raised the event
    // must not wait for the handler any more, or it could never end.
    if (calls_.insideCall())
        calls_.release(true);
    stopThread(writeThread_, writeEnded_, Waiter::Writer);
    stopThread(readThread_, readEnded_, Waiter::Reader);
    stopThread(statusThread_, statusEnded_, Waiter::Status);
    device_->close();
    device_.reset();
    dtr_ = false;
    {
        std::lock_guard lk(rxLock_);
        rx_.clear();
        rx_.shrink_to_fit();
        rxCount_ = 0;
    }
    {
        std::lock_guard lk(txLock_);
        tx_.clear();
        tx_.shrink_to_fit();
        txCount_ = 0;
    }
    open_ = false;
}

int SerialPort::Send(const void* data, int len) {
    if (!IsOpen() || len <= 0)
        return 0;
    int n;
    {
        std::lock_guard lk(txLock_);
        const int count = txCount_;
        n = std::min(len, static_cast<int>(tx_.size()) - count);
        if (n <= 0)
            return 0;
        std::memcpy(tx_.data() + count, data, static_cast<size_t>(n));
        txCount_ = count + n;
    }
    device_->wake(Waiter::Writer);
    return n;
}

int SerialPort::Receive(void* dst, int len) {
    if (!IsOpen() || len <= 0)
        return 0;
    std::lock_guard lk(rxLock_);
    const int count = rxCount_;
    const int n = std::min(len, count);
    if (n <= 0)
        return 0;
    std::memcpy(dst, rx_.data(), static_cast<size_t>(n));
    std::memmove(rx_.data(), rx_.data() + n, static_cast<size_t>(count - n));
    rxCount_ = count - n;
    return n;
}

void SerialPort::PurgeIn() {
    if (IsOpen())
        device_->purgeIn();
    std::lock_guard lk(rxLock_);
    rxCount_ = 0;
}

void SerialPort::PurgeOut() {
    if (IsOpen())
        device_->purgeOut();
    std::lock_guard lk(txLock_);
    txCount_ = 0;
}

void SerialPort::recordLines(const ModemLines& l) {
    cts_ = l.cts;
    dsr_ = l.dsr;
    ring_ = l.ring;
    rlsd_ = l.rlsd;
}

// Called by a worker when the device reports that the line is gone.
void SerialPort::noteLineLost(int error) {
    int none = 0;
    openError_.compare_exchange_strong(none, error != 0 ? error : EIO);
}

void SerialPort::raiseTriggerAvail() {
    const int count = rxCount_;
    if (count <= 0)
        return;
    calls_.call([this, count] {
        if (OnTriggerAvail)
            OnTriggerAvail(this, static_cast<std::uint16_t>(std::min(count, 0xFFFF)));
    });
}

void SerialPort::statusLoop() {
    recordLines(device_->modemLines());
    statusStarted_ = true;
    calls_.poke();
    bool txBusy = false;
    while (!closing_) {
        unsigned events = device_->waitLineEvent(kStatusPeriodMs);
        if (closing_)
            break;
        const bool busy = txCount_ > 0 || device_->queuedOut() > 0;
        if (txBusy && !busy)
            events |= lineev::TxEmpty;
        txBusy = busy;
        if (events == 0)
            continue;
        device_->wake(Waiter::Reader);
        raiseTriggerAvail();
        if (events & (lineev::Cts | lineev::Dsr | lineev::Rlsd | lineev::Ring | lineev::Error)) {
            const bool ctsBefore = cts_;
            recordLines(device_->modemLines());
            if (cts_ != ctsBefore)
                device_->wake(Waiter::Writer);
        }
    }
    statusEnded_ = true;
    calls_.poke();
}

void SerialPort::readLoop() {
    readStarted_ = true;
    calls_.poke();
    bool lineGone = false;
    while (!closing_) {
        const bool room = rxCount_ < static_cast<int>(rx_.size());
        const WaitResult w = device_->wait(Waiter::Reader, room && !lineGone, idleOfferMs_);
        if (closing_)
            break;
        if (w == WaitResult::Hangup) {
            lineGone = true; // until the next idle interval: no busy polling of a dead line
            noteLineLost(EIO);
        } else if (w == WaitResult::Timeout) {
            lineGone = false;
        }
        const int waiting = device_->queuedIn();
        if (waiting < 0) { // the driver no longer knows the device
            lineGone = true;
            noteLineLost(EIO);
        }
        const int queued = std::max(0, waiting);
        {
            std::lock_guard lk(rxLock_);
            const int count = rxCount_;
            const int n = std::min(queued, static_cast<int>(rx_.size()) - count);
            if (n > 0) {
                const int got = device_->read(rx_.data() + count, n);
                if (got > 0)
                    rxCount_ = count + got;
                else if (got < 0) {
                    lineGone = true;
                    noteLineLost(device_->error());
                }
            }
        }
        raiseTriggerAvail();
    }
    readEnded_ = true;
    calls_.poke();
}

void SerialPort::writeLoop() {
    writeStarted_ = true;
    calls_.poke();
    while (!closing_) {
        bool waitForRoom = false;
        int pauseMs = kWriterPauseMs; // woken at once by Send and by a change of CTS
        if (txCount_ > 0) {
            std::lock_guard lk(txLock_);
            const int count = txCount_;
            const int queued = std::max(0, device_->queuedOut());
            const int n = std::min(count, static_cast<int>(tx_.size()) - queued);
            if (n <= 0) {
                pauseMs = kWriterFullPauseMs;
            } else if (!closing_ && cts_) {
                const int written = device_->write(tx_.data(), n);
                if (written > 0) {
                    std::memmove(tx_.data(), tx_.data() + written,
                                 static_cast<size_t>(count - written));
                    txCount_ = count - written;
                }
                // Bytes left after a write the driver took: go on as soon
                // as it has room. After a failure only the pause.
                waitForRoom = written >= 0 && txCount_ > 0;
                if (written < 0)
                    noteLineLost(device_->error());
            }
        }
        if (closing_)
            break;
        device_->wait(Waiter::Writer, waitForRoom, pauseMs);
    }
    writeEnded_ = true;
    calls_.poke();
}

} // namespace ksv
