#pragma once

// TRWForm: the modal progress window of an exchange with the transceiver. It
// owns the only port component CommPort1, the 1000 ms retry timer Timer1 and
// the progress bar Gauge1 (0..256, shown as a percentage), and offers the
// exchange operations and the port choice to the main window.

#include "link/comm_port.h"
#include "link/port_exchange.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class QProgressBar;

namespace ksv {

class TRWForm : public QDialog, private ExchangeView {
public:
    explicit TRWForm(QWidget* parent = nullptr);
    ~TRWForm() override;

    bool ReadData(Image& image, std::uint8_t& status) { return exchange_.ReadData(image, status); }
    bool WriteData(const WriteList& list) { return exchange_.WriteData(list); }
    bool VerifyData(const Image& image) { return exchange_.VerifyData(image); }
    bool SelectPort(int n) { return exchange_.SelectPort(n); }
    bool FindPort() { return exchange_.FindPort(); }
    // The number of the open port, 0 when none is open.
    int openPort() const { return exchange_.openPort(); }

    // Where VerifyData learns whether a factory number change is allowed.
    void setNumberChangeRule(std::function<bool()> allowed) {
        exchange_.setNumberChangeRule(std::move(allowed));
    }
    PortExchange& exchange() { return exchange_; }

    TCommPort CommPort1;
    QTimer* Timer1;
    QProgressBar* Gauge1;

private:
    void exchangeStarting(const QString& caption) override;
    void showProgress(int value) override;
    void runExchange() override;
    void endExchange() override;
    void FormClose();

    PortExchange exchange_;
    bool ended_ = false;
};

} // namespace ksv
