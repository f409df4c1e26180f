#pragma once

// The byte protocol with the transceiver as a state machine with no window
// and no clock of its own. Its inputs are "bytes are waiting" (the port's
// data event), the timer tick and the user closing the exchange; it acts
// through two small interfaces: the port's receive buffer and transmit
// queue, and the host that runs the timer, shows progress, pauses and ends
// the exchange.
//
// Frames: attention 0xFF answered by 0x13; image request 0x01 answered by
// the 256-byte image; service-block request 0x03 0x07 answered by 512 bytes
// (byte 510 is the status byte); write record 0x02 A V C answered by a chunk
// ending in 0x13. The attention handshake is the one way every part of the
// program asks whether a transceiver is there: reads and writes begin with
// it, and the connection check and the fleet's polls run it on its own.

#include "image/image.h"
#include "link/write_list.h"

#include <array>
#include <cstdint>

namespace ksv {

// The port as the protocol uses it: the receive buffer's count and bytes,
// sending, and discarding what is pending (PortExchange passes these on to
// the port component).
class ExchangePort {
public:
    virtual ~ExchangePort() = default;
    virtual int InCount() = 0;
    virtual int Receive(std::uint8_t* dst, int len) = 0;
    virtual int Send(const std::uint8_t* data, int len) = 0;
    virtual void PurgeIn() = 0;
    virtual void PurgeOut() = 0;
};

// What the protocol asks of whoever runs it.
class ExchangeHost {
public:
    virtual ~ExchangeHost() = default;
    // Stop and start the timer, so that the next tick comes a full period later.
    virtual void restartTimer() = 0;
    virtual void stopTimer() = 0;
    // Progress 0..256 (values outside are for the display to clamp).
    virtual void setProgress(int value) = 0;
    // Blocks for the given milliseconds (the exchange runs on one thread).
    virtual void pause(int ms) = 0;
    // The exchange has ended (success or failure): close the window.
    virtual void finish() = 0;
    // A read's two copies of the image agreed; the service block is on its
    // way (about half a second at 9600 baud).
    virtual void imageAgreed(const Bytes& /*image*/) {}
};

enum class ExchangeState {
    Idle,
    Attention, // the handshake on its own
    ReadHandshake,
    FirstCopy,
    SecondCopy,
    ServiceBlock,
    WriteHandshake,
    WriteRecords,
};

class TransferProtocol {
public:
    static constexpr std::uint8_t kAttention = 0xFF;
    static constexpr std::uint8_t kAck = 0x13;
    static constexpr std::uint8_t kImageRequest = 0x01;
    static constexpr int kMaxRetries = 5;
    static constexpr int kServiceBlockSize = 512;
    static constexpr int kStatusByteIndex = 510;
    static constexpr std::uint8_t kPowerLockBit = 0x20;
    // Whether the status byte forbids the stationary power set.
    static constexpr bool powerLocked(std::uint8_t status) { return (status & kPowerLockBit) != 0; }
    // Pause after each chunk of an image copy.
    static constexpr int kChunkPauseMs = 100;

    TransferProtocol(ExchangePort& port, ExchangeHost& host);

    // Start an exchange: purge both directions, reset progress, result and
    // retries, send the attention byte and start the timer. The caller then
    // runs the host until finish().
    void beginRead();
    void beginWrite(const WriteList& list);
    // The handshake on its own: succeeds at the acknowledgement; the
    // attention byte is repeated at most `repeats` times, one per tick.
    void beginAttention(int repeats);

    // The port has bytes waiting (the event's own count is not used).
    void dataAvailable();
    // The timer has ticked.
    void timerTick();
    // The exchange window was closed, by the protocol or by the user.
    void closed();

    bool result() const { return result_; }
    ExchangeState state() const { return state_; }
    // After a successful read: the first copy of the image and the status byte.
    const Bytes& image() const { return area_; }
    std::uint8_t statusByte() const { return service_[kStatusByteIndex]; }
    int retryCount() const { return retries_; }
    int recordIndex() const { return recordIndex_; }
    // Of a write: the records sent so far and those acknowledged. A record
    // sent but not acknowledged may have been stored all the same.
    int recordsSent() const { return recordIndex_; }
    int recordsAcknowledged() const { return acknowledged_; }
    // Bytes other than a lone acknowledgement that answered attention bytes
    // since the exchange began, and how many of them were 0x13.
    int handshakeNoise() const { return handshakeNoise_; }
    int handshakeStrayAcks() const { return handshakeStrayAcks_; }

private:
    void begin(ExchangeState handshake);
    void send(const std::uint8_t* frame, int len);
    void sendAttention();
    void sendImageRequest();
    void sendRecord(int index);
    void takeBlock(std::uint8_t* block, int n);
    // What n waiting bytes mean in each state.
    void onHandshakeAnswer(int n);
    void onFirstCopy(int n);
    void onSecondCopy(int n);
    void onServiceBlock(int n);
    void onRecordAnswer(int n);
    void dropAll(int n);
    void fail();
    void succeed();

    ExchangePort& port_;
    ExchangeHost& host_;
    ExchangeState state_ = ExchangeState::Idle;
    int received_ = 0;
    int recordIndex_ = 0;
    int acknowledged_ = 0;
    int retries_ = 0;
    int attentionRepeats_ = 0;
    int handshakeNoise_ = 0;
    int handshakeStrayAcks_ = 0;
    bool result_ = false;
    std::array<std::uint8_t, 4> frame_{};
    int frameLen_ = 0;
    Bytes area_{};
    Bytes second_{};
    std::array<std::uint8_t, kServiceBlockSize> service_{};
    WriteList list_;
};

} // namespace ksv
