#pragma once

// The modal progress window of an exchange with the transceiver: its
// caption and its progress bar (0..256, shown as a percentage).
// It only shows progress; the program owns the line (PortLine), whose
// exchange runs the window while it lasts.

#include "link/port_exchange.h"

#include <QDialog>
#include <functional>

class QProgressBar;

namespace ksv {

class ExchangeWindow : public QDialog, public ExchangeView { // TRWForm
public:
    explicit ExchangeWindow(QWidget* parent = nullptr);

    // Runs when the window closes (by anyone): the exchange ends as failed
    // unless it has already ended (PortExchange::userClosed).
    std::function<void()> onClose;

    QProgressBar* progressBar;

    void exchangeStarting(ExchangeKind kind) override;
    void showProgress(int value) override;
    void runExchange() override;
    void endExchange() override;

private:
    bool ended_ = false;
};

} // namespace ksv
