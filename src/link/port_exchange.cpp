#include "link/port_exchange.h"

#include "serial/port_map.h"
#include "serial/port_names.h"

#include <chrono>
#include <thread>

namespace ksv {

QString exchangeCaption(ExchangeKind kind) {
    return kind == ExchangeKind::Write ? QStringLiteral("Запись данных: ")
                                       : QStringLiteral("Чтение данных: ");
}

void configureSerialPort(SerialPort& port) {
    port.setComNumber(1);
    port.setBaudRate(cbr9600);
    port.setParity(paNone);
    port.setStopbits(sb1_0);
    port.setDatabits(8);
    port.setInSize(2048);
    port.setOutSize(4096);
    port.setDTR(false);
    port.setRTS(false);
    port.setMonitorEvents(kAllCommEvents);
}

PortExchange::PortExchange(SerialPort& port, QTimer& timer, ExchangeView& view)
    : port_(port), timer_(timer), view_(&view), protocol_(*this, *this) {
    timer_.setInterval(timings_.timerMs);
    timer_.stop();
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { protocol_.timerTick(); });
    port_.OnTriggerAvail = [this](SerialPort*, std::uint16_t) { protocol_.dataAvailable(); };
}

PortExchange::~PortExchange() {
    port_.OnTriggerAvail = nullptr;
}

void PortExchange::setTimings(const ExchangeTimings& t) {
    timings_ = t;
    timer_.setInterval(t.timerMs);
}

void PortExchange::restartTimer() {
    timer_.stop();
    timer_.start(timings_.timerMs);
}

void PortExchange::pause(int ms) {
    const int scaled = ms * timings_.pausePercent / 100;
    if (scaled > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(scaled));
}

void PortExchange::finish() {
    if (attentionLoop_)
        attentionLoop_->quit();
    else
        view_->endExchange();
}

void PortExchange::userClosed() {
    protocol_.closed();
}

void PortExchange::cancel() {
    protocol_.closed();
    view_->endExchange();
}

bool PortExchange::reopenLostLine() {
    if (port_.lineLost() || (reopenPending_ && !port_.Open())) {
        port_.setOpen(false);
        port_.setOpen(true);
        reopenPending_ = !port_.Open();
    }
    return port_.Open();
}

bool PortExchange::ReadData(Image& image, std::uint8_t& status) {
    reopenLostLine();
    view_->exchangeStarting(ExchangeKind::Read);
    protocol_.beginRead();
    view_->runExchange();
    protocol_.closed();
    if (!protocol_.result()) {
        status = 0;
        return false;
    }
    image = Image(protocol_.image());
    status = protocol_.statusByte();
    return true;
}

bool PortExchange::WriteData(const WriteList& list) {
    reopenLostLine();
    view_->exchangeStarting(ExchangeKind::Write);
    protocol_.beginWrite(list);
    view_->runExchange();
    protocol_.closed();
    return protocol_.result();
}

AttentionOutcome PortExchange::CallAttention(int repeats) {
    reopenLostLine();
    QEventLoop loop;
    attentionLoop_ = &loop;
    protocol_.beginAttention(repeats);
    if (protocol_.state() != ExchangeState::Idle)
        loop.exec();
    attentionLoop_ = nullptr;
    protocol_.closed();
    return AttentionOutcome{protocol_.result(), protocol_.handshakeNoise(),
                            protocol_.handshakeStrayAcks()};
}

bool PortExchange::VerifyData(const Image& image, bool numberChangeAllowed) {
    Image read;
    std::uint8_t status = 0;
    if (!ReadData(read, status))
        return false;
    return sameAtWritableOffsets(read, image, numberChangeAllowed);
}

bool PortExchange::SelectPort(int n) {
    reopenPending_ = false;
    port_.setOpen(false);
    port_.setComNumber(n);
    port_.setOpen(true);
    return port_.Open();
}

bool PortExchange::FindPort() {
    const std::vector<PortMapping> names = systemPortMap().offered();
    // COM4 down to COM1, then the ports above COM4 (only Windows has them)
    // in ascending order.
    std::vector<const PortMapping*> order;
    for (auto it = names.rend() - kLastComPort; it != names.rend(); ++it)
        order.push_back(&*it);
    for (auto it = names.begin() + kLastComPort; it != names.end(); ++it)
        order.push_back(&*it);
    for (const PortMapping* m : order) {
        // The system console and a process's terminal are never opened by
        // the search: bytes sent there would land in someone's session.
        if (m->searchable() && SelectPort(m->com))
            return true;
    }
    reopenPending_ = false;
    port_.setOpen(false);
    port_.setComNumber(kFirstComPort);
    return false;
}

void EventLoopExchangeView::exchangeStarting(ExchangeKind kind) {
    ended_ = false;
    if (onStart)
        onStart(kind);
}

void EventLoopExchangeView::showProgress(int value) {
    if (onProgress)
        onProgress(value);
}

void EventLoopExchangeView::runExchange() {
    if (!ended_)
        loop_.exec();
    ended_ = false;
}

void EventLoopExchangeView::endExchange() {
    ended_ = true;
    loop_.quit();
}

} // namespace ksv
