#include "cli/link_session.h"

#include "operations/outcome_words.h"

#include <algorithm>

namespace ksv::cli {

namespace {
constexpr int kBarWidth = 40;
constexpr int kProgressMax = 256;
} // namespace

void ProgressView::exchangeStarting(ExchangeKind kind) {
    EventLoopExchangeView::exchangeStarting(kind);
    caption_ = exchangeCaption(kind);
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

LinkSession::LinkSession(CliIo& io) : io_(io), view_(io), line_(view_) {
    line_.exchange().setTimings(io.timings);
}

LinkSession::~LinkSession() = default;

bool LinkSession::open(const PortTarget& target) {
    SerialPort& port = line_.port();
    port.setOpen(false);
    if (target.comNumber) {
        port.setDeviceName({});
        port.setComNumber(target.comNumber);
    } else {
        port.setDeviceName(target.device);
    }
    port.setOpen(true);
    if (port.Open())
        return true;
    io_.err << portFailureText(target, port.openError()) << "\n";
    return false;
}

ReadOutcome LinkSession::read(const StateArchive* archive) {
    ReadOutcome r = readTransceiver(exchange(), archive);
    if (!r.connected)
        io_.err << noConnectionText() << "\n";
    return r;
}

VerifyOutcome LinkSession::verify(const Image& file, bool numberChangeAllowed,
                                  const StateArchive* archive) {
    VerifyOutcome v = verifyTransceiver(exchange(), file, numberChangeAllowed, archive);
    if (v.result == VerifyResult::NoConnection)
        io_.err << noConnectionText() << "\n";
    return v;
}

WriteOutcome LinkSession::write(WriteQuestions& ask, const StateArchive* archive) {
    WriteOutcome o = writeTransceiver(exchange(), ask, archive);
    if (o.result == WriteResult::NoConnection || o.result == WriteResult::NoWriteAnswer ||
        o.result == WriteResult::WriteCutOff)
        io_.err << noConnectionText() << "\n";
    return o;
}

} // namespace ksv::cli
