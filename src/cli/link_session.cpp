#include "cli/link_session.h"

#include "operations/outcome_words.h"

#include <algorithm>

namespace ksv::cli {

namespace {
constexpr int kBarWidth = 40;
constexpr int kProgressMax = 256;
} // namespace

void ProgressView::exchangeStarting(const QString& caption) {
    EventLoopExchangeView::exchangeStarting(caption);
    caption_ = caption;
    value_ = 0;
    drawn_ = false;
    draw();
}

void ProgressView::showProgress(int value) {
    EventLoopExchangeView::showProgress(value);
    value_ = std::clamp(value, 0, kProgressMax);
    draw();
}

void ProgressView::endExchange() {
    EventLoopExchangeView::endExchange();
    if (drawn_) {
        io_.err << "\n";
        io_.err.flush();
        drawn_ = false;
    }
}

void ProgressView::draw() {
    if (!io_.errIsTerminal)
        return;
    const int filled = value_ * kBarWidth / kProgressMax;
    const int percent = value_ * 100 / kProgressMax;
    io_.err << "\r" << caption_ << "[" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] "
            << std::to_string(percent) << "%";
    io_.err.flush();
    drawn_ = true;
}

LinkSession::LinkSession(CliIo& io) : io_(io), view_(io), exchange_(port_, timer_, view_) {
    configureCommPort(port_);
    exchange_.setTimings(io.timings);
}

LinkSession::~LinkSession() {
    port_.setOpen(false);
}

bool LinkSession::open(const PortTarget& target) {
    port_.setOpen(false);
    if (target.comNumber) {
        port_.setDeviceName({});
        port_.setComNumber(target.comNumber);
    } else {
        port_.setDeviceName(target.device);
    }
    port_.setOpen(true);
    if (port_.Open())
        return true;
    io_.err << portFailureText(target, port_.openError()) << "\n";
    return false;
}

ReadOutcome LinkSession::read() {
    ReadOutcome r = readTransceiver(exchange_);
    if (!r.connected)
        io_.err << noConnectionText() << "\n";
    return r;
}

VerifyOutcome LinkSession::verify(const Image& file, bool numberChangeAllowed) {
    VerifyOutcome v = verifyTransceiver(exchange_, file, numberChangeAllowed);
    if (v.result == VerifyResult::NoConnection)
        io_.err << noConnectionText() << "\n";
    return v;
}

WriteOutcome LinkSession::write(WriteHost& host) {
    WriteOutcome o = writeTransceiver(exchange_, host);
    if (o.result == WriteResult::NoConnection || o.result == WriteResult::NoWriteAnswer ||
        o.result == WriteResult::WriteCutOff)
        io_.err << noConnectionText() << "\n";
    return o;
}

} // namespace ksv::cli
