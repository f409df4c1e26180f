#pragma once

// Runs the transfer protocol over the port component with a timer: the
// exchange operations (read, write, verify) and the port choice (select by
// number, search from COM4 down to COM1). What the user sees of an exchange
// is left to an ExchangeView: the progress window, or a bare event loop for
// programs without windows.

#include "link/serial_port.h"
#include "link/transfer_protocol.h"

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace ksv {

enum class ExchangeKind { Read, Write };

// The progress window's caption: "Чтение данных: " or "Запись данных: " (no
// space before the colon, as Russian is written).
QString exchangeCaption(ExchangeKind kind);

class ExchangeView {
public:
    virtual ~ExchangeView() = default;
    // An exchange starts.
    virtual void exchangeStarting(ExchangeKind kind) = 0;
    virtual void showProgress(int value) = 0;
    // Runs events until endExchange() or until the user closes the exchange
    // (the view then calls PortExchange::userClosed()).
    virtual void runExchange() = 0;
    virtual void endExchange() = 0;
};

// Timings of an exchange; tests shorten them.
struct ExchangeTimings {
    int timerMs = 1000;     // period of the retry timer
    int pausePercent = 100; // scale of the protocol's pauses
};

// What came back to the attention byte when it was sent on its own.
struct AttentionOutcome {
    bool answered = false; // a lone 0x13 came back
    int noise = 0;         // bytes other than 0x13 that came back
    int strayAcks = 0;     // 0x13 bytes that came mixed with others
};

// Sets the line settings the transceiver needs: COM1, 9600 8N1, buffers of
// 2048 and 4096 bytes, DTR and RTS off.
void configureSerialPort(SerialPort& port);

class PortExchange : public QObject, private ExchangePort, private ExchangeHost {
public:
    PortExchange(SerialPort& port, QTimer& timer, ExchangeView& view);
    ~PortExchange() override;

    // Reads the image (twice, compared) and the status byte. On failure the
    // image is left alone and status becomes 0.
    bool ReadData(Image& image, std::uint8_t& status);
    // Writes every entry of the list; true when each was acknowledged.
    // protocol().recordsSent() and recordsAcknowledged() tell how far it got.
    bool WriteData(const WriteList& list);
    // Reads again and compares at the writable offsets (226..228 too when a
    // change of the factory number is allowed).
    bool VerifyData(const Image& image, bool numberChangeAllowed = false);
    // The handshake on its own, without the progress view: the attention
    // byte and up to `repeats` more, one timer period apart; returns at the
    // acknowledgement or one period after the last byte sent.
    AttentionOutcome CallAttention(int repeats);

    // Closes the port, opens COM n; whether it is open now.
    bool SelectPort(int n);
    // Tries COM4, 3, 2, 1 in turn, then (on Windows) the present ports above
    // COM4 in ascending order; true at the first that opens. Names that
    // stand for nothing, for the system console, a controlling terminal or
    // a Bluetooth link are passed over. Otherwise the port is closed and its
    // number is 1.
    bool FindPort();
    // The number of the open port, 0 when none is open.
    int openPort() const { return port_.Open() ? port_.ComNumber() : 0; }

    // The exchange window was closed (by anyone): stop the timer, go idle.
    void userClosed();
    // Ends a running exchange as failed, as closing its window would.
    void cancel();

    // Called during a read as soon as its two copies of the image agree,
    // while the service block still crosses the line; empty: nothing.
    void setImageAgreed(std::function<void(const Image&)> f) { imageAgreed_ = std::move(f); }
    void setTimings(const ExchangeTimings& t);
    const ExchangeTimings& timings() const { return timings_; }

    SerialPort& port() { return port_; }
    const TransferProtocol& protocol() const { return protocol_; }

    // What shows the exchanges from now on (ExchangeViewSwap swaps it for a
    // while); never changed while an exchange runs.
    ExchangeView& view() const { return *view_; }
    void setView(ExchangeView& view) { view_ = &view; }

private:
    // A port whose line was lost (the device vanished while open) is closed
    // and opened again under its number at the start of the next exchange,
    // so that a cable plugged back in works without choosing the port anew.
    // True when the port is open now.
    bool reopenLostLine();

    // ExchangePort
    int InCount() override { return port_.InCount(); }
    int Receive(std::uint8_t* dst, int len) override { return port_.Receive(dst, len); }
    int Send(const std::uint8_t* data, int len) override { return port_.Send(data, len); }
    void PurgeIn() override { port_.PurgeIn(); }
    void PurgeOut() override { port_.PurgeOut(); }
    // ExchangeHost
    void restartTimer() override;
    void stopTimer() override { timer_.stop(); }
    void setProgress(int value) override { view_->showProgress(value); }
    void pause(int ms) override;
    void finish() override;
    void imageAgreed(const Bytes& image) override {
        if (imageAgreed_)
            imageAgreed_(Image(image));
    }

    SerialPort& port_;
    QTimer& timer_;
    ExchangeView* view_;
    TransferProtocol protocol_;
    ExchangeTimings timings_;
    std::function<void(const Image&)> imageAgreed_;
    // The line was lost and could not be opened again yet.
    bool reopenPending_ = false;
    // Runs a handshake on its own (CallAttention); null otherwise.
    QEventLoop* attentionLoop_ = nullptr;
};

// An ExchangeView without a window: runs a local event loop.
class EventLoopExchangeView : public ExchangeView {
public:
    std::function<void(ExchangeKind)> onStart;
    std::function<void(int)> onProgress;

    void exchangeStarting(ExchangeKind kind) override;
    void showProgress(int value) override;
    void runExchange() override;
    void endExchange() override;

private:
    QEventLoop loop_;
    bool ended_ = false;
};

} // namespace ksv
