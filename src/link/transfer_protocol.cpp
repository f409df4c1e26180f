#include "link/transfer_protocol.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ksv {

namespace {
constexpr int kBlock = static_cast<int>(kImageSize);
}

TransferProtocol::TransferProtocol(ExchangePort& port, ExchangeHost& host)
    : port_(port), host_(host) {}

void TransferProtocol::send(const std::uint8_t* frame, int len) {
    std::copy(frame, frame + len, frame_.begin());
    frameLen_ = len;
    port_.Send(frame_.data(), frameLen_);
}

void TransferProtocol::sendAttention() {
    send(&kAttention, 1);
}

void TransferProtocol::sendImageRequest() {
    send(&kImageRequest, 1);
}

void TransferProtocol::sendRecord(int index) {
    const auto record = writeRecord(list_.offsets[index], list_.values[index]);
    send(record.data(), 4);
}

void TransferProtocol::begin(ExchangeState handshake) {
    port_.PurgeIn();
    port_.PurgeOut();
    host_.setProgress(0);
    result_ = false;
    retries_ = 0;
    handshakeNoise_ = 0;
    handshakeStrayAcks_ = 0;
    received_ = 0;
    recordIndex_ = 0;
    acknowledged_ = 0;
    state_ = handshake;
    sendAttention();
    host_.restartTimer();
}

void TransferProtocol::beginRead() {
    begin(ExchangeState::ReadHandshake);
}

void TransferProtocol::beginWrite(const WriteList& list) {
    list_ = list;
    list_.count = std::clamp(list_.count, 0, kBlock);
    begin(ExchangeState::WriteHandshake);
}

void TransferProtocol::beginAttention(int repeats) {
    attentionRepeats_ = std::max(repeats, 0);
    begin(ExchangeState::Attention);
}

void TransferProtocol::dropAll(int n) {
    std::vector<std::uint8_t> sink(static_cast<size_t>(n));
    port_.Receive(sink.data(), n);
}

// Takes n waiting bytes into block at the current position; bytes beyond
// the block's 256th are taken from the port but not kept.
void TransferProtocol::takeBlock(std::uint8_t* block, int n) {
    std::vector<std::uint8_t> chunk(static_cast<size_t>(n));
    const int got = port_.Receive(chunk.data(), n);
    if (received_ < kBlock) {
        const int keep = std::min(got, kBlock - received_);
        std::memcpy(block + received_, chunk.data(), static_cast<size_t>(keep));
    }
    received_ += got;
}

void TransferProtocol::dataAvailable() {
    const int n = port_.InCount();
    if (n <= 0 || (n > kBlock && state_ != ExchangeState::ServiceBlock)) {
        port_.PurgeIn();
        return;
    }
    switch (state_) {
    case ExchangeState::Idle:
        return dropAll(n);
    case ExchangeState::Attention:
    case ExchangeState::ReadHandshake:
    case ExchangeState::WriteHandshake:
        return onHandshakeAnswer(n);
    case ExchangeState::FirstCopy:
        return onFirstCopy(n);
    case ExchangeState::SecondCopy:
        return onSecondCopy(n);
    case ExchangeState::ServiceBlock:
        return onServiceBlock(n);
    case ExchangeState::WriteRecords:
        return onRecordAnswer(n);
    }
}

// The attention byte is answered by exactly one 0x13; anything else waits
// for the timer to repeat the attention byte.
void TransferProtocol::onHandshakeAnswer(int n) {
    area_.fill(0);
    const int got = port_.Receive(area_.data(), n);
    if (got != 1 || area_[0] != kAck) {
        const int acks = static_cast<int>(std::count(area_.begin(), area_.begin() + got, kAck));
        handshakeStrayAcks_ += acks;
        handshakeNoise_ += got - acks;
        return;
    }
    if (state_ == ExchangeState::Attention)
        return succeed();
    retries_ = 0;
    received_ = 0;
    recordIndex_ = 0;
    if (state_ == ExchangeState::ReadHandshake) {
        state_ = ExchangeState::FirstCopy;
        sendImageRequest();
    } else {
        state_ = ExchangeState::WriteRecords;
        sendAttention();
    }
    host_.restartTimer();
}

void TransferProtocol::onFirstCopy(int n) {
    takeBlock(area_.data(), n);
    host_.setProgress(received_ / 2);
    host_.pause(kChunkPauseMs);
    if (received_ < kBlock)
        return;
    retries_ = 0;
    received_ = 0;
    recordIndex_ = 0;
    state_ = ExchangeState::SecondCopy;
    sendImageRequest();
    host_.restartTimer();
}

void TransferProtocol::onSecondCopy(int n) {
    takeBlock(second_.data(), n);
    host_.setProgress(kBlock / 2 + received_ / 2);
    host_.pause(kChunkPauseMs);
    if (received_ < kBlock)
        return;
    // A second copy that differs counts as no answer: the next tick asks for
    // it again, but only kMaxRetries times. A first copy spoilt by noise on
    // the line would otherwise never agree with any second copy, and the
    // read would never end by itself.
    if (area_ != second_)
        return;
    retries_ = 0;
    state_ = ExchangeState::ServiceBlock;
    static constexpr std::uint8_t request[] = {0x03, 0x07};
    send(request, 2);
    host_.restartTimer();
    host_.imageAgreed(area_);
}

// Left waiting until exactly 512 bytes are there.
void TransferProtocol::onServiceBlock(int n) {
    if (n != kServiceBlockSize)
        return;
    port_.Receive(service_.data(), kServiceBlockSize);
    succeed();
}

// A chunk ending in 0x13 acknowledges the last frame: the next record goes
// out, or the write is done. Other chunks pause the program as long as
// their first byte and their length say.
void TransferProtocol::onRecordAnswer(int n) {
    area_.fill(0);
    const int got = port_.Receive(area_.data(), n);
    if (got <= 0)
        return;
    if (area_[got - 1] != kAck) {
        host_.pause(area_[0]);
        host_.pause(got);
        return;
    }
    host_.setProgress(list_.count > 0 ? recordIndex_ * kBlock / list_.count : kBlock);
    acknowledged_ = recordIndex_;
    if (recordIndex_ >= list_.count)
        return succeed();
    retries_ = 0;
    host_.stopTimer();
    sendRecord(recordIndex_);
    ++recordIndex_;
    host_.restartTimer();
}

void TransferProtocol::timerTick() {
    switch (state_) {
    case ExchangeState::Attention:
        if (retries_ >= attentionRepeats_)
            return fail();
        sendAttention();
        ++retries_;
        return;
    case ExchangeState::ReadHandshake:
    case ExchangeState::WriteHandshake:
        if (retries_ >= kMaxRetries)
            return fail();
        sendAttention();
        ++retries_;
        return;
    case ExchangeState::FirstCopy:
    case ExchangeState::SecondCopy:
        if (retries_ >= kMaxRetries)
            return fail();
        received_ = 0;
        sendImageRequest();
        ++retries_;
        return;
    case ExchangeState::ServiceBlock:
        return fail();
    case ExchangeState::WriteRecords:
        if (retries_ >= kMaxRetries)
            return fail();
        // Before the first record the last frame sent is the attention
        // byte, so it is repeated; a record is only ever one of the list.
        port_.Send(frame_.data(), frameLen_);
        ++retries_;
        return;
    case ExchangeState::Idle:
        return fail();
    }
}

void TransferProtocol::succeed() {
    state_ = ExchangeState::Idle;
    result_ = true;
    host_.stopTimer();
    host_.finish();
}

void TransferProtocol::fail() {
    state_ = ExchangeState::Idle;
    result_ = false;
    host_.stopTimer();
    host_.finish();
}

void TransferProtocol::closed() {
    host_.stopTimer();
    state_ = ExchangeState::Idle;
}

} // namespace ksv
