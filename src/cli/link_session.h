#pragma once

// The device link without a window: the program's line (the same exchange
// the window program runs), driven by a local event loop. While an exchange runs and err is a
// terminal, a progress bar is drawn there.

#include "cli/cli_io.h"
#include "cli/port_target.h"
#include "link/port_exchange.h"
#include "link/port_line.h"
#include "operations/transceiver_commands.h"

namespace ksv::cli {

class ProgressView : public EventLoopExchangeView {
public:
    explicit ProgressView(CliIo& io) : io_(io) {}
    void exchangeStarting(ExchangeKind kind) override;
    void showProgress(int value) override;
    void endExchange() override;

private:
    void draw();
    CliIo& io_;
    QString caption_;
    int value_ = 0;
    bool drawn_ = false;
};

class LinkSession {
public:
    explicit LinkSession(CliIo& io);
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    // Opens the port; on failure prints why (the caller exits with 2).
    bool open(const PortTarget& target);
    // Every image read is kept in the archive given (nullptr: nowhere).
    // Reads the transceiver's image and status byte; on failure prints
    // "Нет соединения" (the caller exits with 2).
    ReadOutcome read(const StateArchive* archive);
    // The write command over the open port; prints "Нет соединения" when
    // the first read or the write fails.
    WriteOutcome write(WriteQuestions& ask, const StateArchive* archive);
    // The verify command; prints "Нет соединения" when the read fails.
    VerifyOutcome verify(const Image& file, bool numberChangeAllowed, const StateArchive* archive);
    PortExchange& exchange() { return line_.exchange(); }

private:
    CliIo& io_;
    ProgressView view_;
    PortLine line_;
};

} // namespace ksv::cli
