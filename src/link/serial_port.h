#pragma once

// SerialPort: one serial port moved through two in-memory buffers by three
// worker threads, with arriving bytes and line events reported on the
// owner's thread (the thread that created the component, normally the GUI
// thread). The worker that raises an event waits until its handler has
// returned, so handlers never run concurrently.
//
// Threads exist exactly while the port is open:
//  - status: watches the modem lines and line errors, and offers waiting
//    bytes after each line event;
//  - reader: moves bytes from the driver into the receive buffer as soon as
//    they arrive, and offers waiting bytes (OnTriggerAvail) after every pass,
//    at least every idleOfferInterval() (500 ms) while any are waiting;
//  - writer: moves the transmit buffer to the driver as soon as bytes are
//    queued, and only while CTS is on.

#include "link/owner_calls.h"
#include "link/serial_port_types.h"
#include "serial/serial_device.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ksv {

class SerialPort : public QObject { // TCommPort
    Q_OBJECT
public:
    explicit SerialPort(QObject* parent = nullptr);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Properties (getter named as the property, setter set...).
    int ComNumber() const { return comNumber_; }
    void setComNumber(int n) { comNumber_ = n; } // takes effect at the next open
    TBaudRate BaudRate() const { return baudRate_; }
    void setBaudRate(TBaudRate r);
    TParity Parity() const { return parity_; }
    void setParity(TParity p);
    TStopbits Stopbits() const { return stopbits_; }
    void setStopbits(TStopbits s);
    int Databits() const { return databits_; }
    void setDatabits(int bits);
    int InSize() const { return inSize_; }
    void setInSize(int n) { inSize_ = n > 0 ? n : inSize_; } // at the next open
    int OutSize() const { return outSize_; }
    void setOutSize(int n) { outSize_ = n > 0 ? n : outSize_; }
    bool Open() const { return open_; }
    void setOpen(bool on) { on ? DoOpen() : DoClose(); }
    bool DTR() const { return dtr_; }
    void setDTR(bool on);
    bool RTS() const { return rts_; }
    void setRTS(bool on);
    int Baud() const { return baudOf(baudRate_); }
    void setBaud(int bitsPerSecond); // ignored unless one of TBaudRate's rates
    TC32EventType MonitorEvents() const { return monitorEvents_; }
    void setMonitorEvents(TC32EventType e) { monitorEvents_ = e; } // recorded only

    // Bytes are waiting in the receive buffer: after every read pass and
    // every line event, and at least every idleOfferInterval() while any
    // wait. The only event the program handles; the line events themselves
    // only update the modem lines below.
    TTriggerAvailEvent OnTriggerAvail;

    // Operations.
    bool IsOpen() const;
    // Appends up to len bytes to the transmit buffer; the number appended.
    int Send(const void* data, int len);
    // Takes up to len bytes from the front of the receive buffer.
    int Receive(void* dst, int len);
    int InCount() const { return rxCount_.load(); }
    void PurgeIn();
    void PurgeOut();

    // Beyond the classic interface.
    // A device to open instead of the one mapped to ComNumber (empty: none).
    void setDeviceName(const std::string& name) { deviceName_ = name; }
    const std::string& deviceName() const { return deviceName_; }
    // The device the next (or current) open uses.
    std::string effectiveDeviceName() const;
    // Why the port cannot be used, as an errno code: why the last open
    // failed, or, while the port is open, why its line was lost (EIO when the
    // device vanished: an adapter unplugged, the other end of a
    // pseudo-terminal closed). 0 while the port works.
    int openError() const { return openError_.load(); }
    // True when the open port's line is gone for good; only closing and
    // opening the port again can bring it back.
    bool lineLost() const { return open_ && openError_.load() != 0; }
    // Modem lines as last read by the status thread.
    bool CTS() const { return cts_.load(); }
    bool DSR() const { return dsr_.load(); }
    // Devices are made by this factory (the platform's by default).
    void setDeviceFactory(std::function<std::unique_ptr<SerialDevice>()> factory);
    // Longest time between two offers of waiting bytes (500 ms by default).
    void setIdleOfferInterval(int ms) {
        if (ms > 0)
            idleOfferMs_ = ms;
    }
    int idleOfferInterval() const { return idleOfferMs_; }
    // True while a worker waits for the owner thread to run an event.
    bool hasPendingEvent() const { return calls_.hasPending(); }

private:
    // Runs the call a worker is waiting to hand over (queued to this thread).
    Q_INVOKABLE void runHandOver();

    void DoOpen();
    void DoClose();
    LineSettings lineSettings() const;
    void applyLine();
    void statusLoop();
    void readLoop();
    void writeLoop();
    void raiseTriggerAvail();
    void recordLines(const ModemLines& l);
    void noteLineLost(int error);
    void stopThread(std::thread& t, std::atomic<bool>& ended, Waiter who);
    void startThread(std::thread& t, std::atomic<bool>& started, void (SerialPort::*loop)());

    // Properties.
    int comNumber_ = 2;
    TBaudRate baudRate_ = cbr19200;
    TParity parity_ = paNone;
    TStopbits stopbits_ = sb1_0;
    int databits_ = 8;
    int inSize_ = 2048;
    int outSize_ = 4096;
    bool dtr_ = false;
    bool rts_ = false;
    TC32EventType monitorEvents_ = kAllCommEvents;
    std::string deviceName_;
    std::atomic<int> idleOfferMs_{500};

    // Open state (changed on the owner thread only, while no worker runs).
    std::function<std::unique_ptr<SerialDevice>()> factory_;
    std::unique_ptr<SerialDevice> device_;
    bool open_ = false;
    std::atomic<int> openError_{0};
    std::atomic<bool> closing_{false};
    std::atomic<bool> cts_{false}, dsr_{false}, ring_{false}, rlsd_{false};

    std::mutex txLock_;
    std::vector<std::uint8_t> tx_;
    std::atomic<int> txCount_{0};
    std::mutex rxLock_;
    std::vector<std::uint8_t> rx_;
    std::atomic<int> rxCount_{0};

    OwnerCalls calls_;
    std::thread statusThread_, readThread_, writeThread_;
    std::atomic<bool> statusStarted_{false}, readStarted_{false}, writeStarted_{false};
    std::atomic<bool> statusEnded_{false}, readEnded_{false}, writeEnded_{false};
};

} // namespace ksv
