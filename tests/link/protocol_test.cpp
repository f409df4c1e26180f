// The transfer protocol driven byte by byte, with the timer on a fake clock.
#include "link/transfer_protocol.h"
#include "support/fake_clock.h"
#include "support/write_lists.h"

#include <deque>
#include <gtest/gtest.h>
#include <numeric>

using namespace ksv;
using ksv::test::FakeClock;
using ksv::test::FakeTimer;
using ksv::test::writeListOf;

namespace {

using Bytes8 = std::vector<std::uint8_t>;

class FakePort : public ExchangePort {
public:
    int InCount() override { return static_cast<int>(rx.size()); }
    int Receive(std::uint8_t* dst, int len) override {
        int n = 0;
        for (; n < len && !rx.empty(); ++n) {
            dst[n] = rx.front();
            rx.pop_front();
        }
        return n;
    }
    int Send(const std::uint8_t* data, int len) override {
        sent.insert(sent.end(), data, data + len);
        return len;
    }
    void PurgeIn() override { rx.clear(); }
    void PurgeOut() override {}

    std::deque<std::uint8_t> rx;
    Bytes8 sent;
};

class Harness : public ExchangeHost {
public:
    Harness() : proto(port, *this) {}

    void restartTimer() override { timer.start(1000); }
    void stopTimer() override { timer.stop(); }
    void setProgress(int v) override { progress.push_back(v); }
    void pause(int ms) override { pauses.push_back(ms); }
    void finish() override { ++finishes; }

    // Bytes arrive and the data event is raised.
    void arrive(const Bytes8& bytes) {
        port.rx.insert(port.rx.end(), bytes.begin(), bytes.end());
        proto.dataAvailable();
    }
    void arriveInChunks(const Bytes8& bytes, std::initializer_list<int> chunks) {
        std::size_t at = 0;
        for (int c : chunks) {
            arrive(Bytes8(bytes.begin() + static_cast<long>(at),
                          bytes.begin() + static_cast<long>(at + c)));
            at += static_cast<std::size_t>(c);
        }
    }
    // Ticks until the exchange has finished; the number of ticks.
    int tickUntilFinished(int limit = 100) {
        int ticks = 0;
        while (finishes == 0 && ticks < limit && clock.fireNext())
            ++ticks;
        return ticks;
    }
    Bytes8 takeSent() { return std::exchange(port.sent, {}); }

    FakeClock clock;
    FakeTimer timer{clock, [this] { proto.timerTick(); }};
    FakePort port;
    TransferProtocol proto;
    std::vector<int> progress;
    std::vector<int> pauses;
    int finishes = 0;
};

Bytes8 pattern(int n, int seed) {
    Bytes8 b(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 31 + seed);
    return b;
}

Bytes8 serviceBlock(std::uint8_t status) {
    Bytes8 b = pattern(512, 5);
    b[510] = status;
    return b;
}

const Bytes8 kAck{0x13};

// Runs a read up to the service-block request.
void readUpToServiceBlock(Harness& h, const Bytes8& image) {
    h.proto.beginRead();
    h.arrive(kAck);
    h.arrive(image);
    h.arrive(image);
    ASSERT_EQ(h.proto.state(), ExchangeState::ServiceBlock);
}

} // namespace

TEST(Protocol, SilentLineSendsSixAttentionBytesOneASecondThenFails) {
    Harness h;
    h.proto.beginRead();
    EXPECT_EQ(h.tickUntilFinished(), 6);
    EXPECT_EQ(h.port.sent, Bytes8(6, 0xFF));
    EXPECT_EQ(h.clock.now(), 6000);
    EXPECT_FALSE(h.proto.result());
    EXPECT_EQ(h.proto.state(), ExchangeState::Idle);
    EXPECT_FALSE(h.timer.active());
}

// The handshake on its own (connection check, fleet polls): the same rule
// of one lone acknowledgement, its repeats, and what else came back.
TEST(Protocol, AttentionAloneSucceedsOnALoneAcknowledgementAndCountsNoise) {
    struct Case {
        int repeats;
        std::vector<Bytes8> answers; // one per attention byte sent
        bool answered;
        int noise, strayAcks, sends;
    };
    const Case cases[] = {
        {5, {kAck}, true, 0, 0, 1},
        {5, {{0x55, 0x13}, {0x13, 0x13}, kAck}, true, 1, 3, 3},
        {0, {}, false, 0, 0, 1},
        {2, {{0x00}, {0x00, 0x13}, {}}, false, 2, 1, 3},
    };
    for (const Case& c : cases) {
        Harness h;
        h.proto.beginAttention(c.repeats);
        for (const Bytes8& a : c.answers) {
            if (!a.empty())
                h.arrive(a);
            if (h.finishes == 0)
                h.clock.fireNext();
        }
        h.tickUntilFinished();
        EXPECT_EQ(h.proto.result(), c.answered);
        EXPECT_EQ(h.proto.handshakeNoise(), c.noise);
        EXPECT_EQ(h.proto.handshakeStrayAcks(), c.strayAcks);
        EXPECT_EQ(h.port.sent, Bytes8(static_cast<std::size_t>(c.sends), 0xFF));
        EXPECT_EQ(h.proto.state(), ExchangeState::Idle);
    }
}

TEST(Protocol, HandshakeNeedsExactlyOneAcknowledgement) {
    for (const Bytes8& answer : {Bytes8{0x13, 0x13}, Bytes8{0x55, 0x13}, Bytes8{0x12}}) {
        Harness h;
        h.proto.beginRead();
        h.arrive(answer);
        EXPECT_EQ(h.proto.state(), ExchangeState::ReadHandshake);
        EXPECT_TRUE(h.port.rx.empty()); // taken and dropped
        h.clock.fireNext();
        EXPECT_EQ(h.port.sent, (Bytes8{0xFF, 0xFF}));
        h.arrive(kAck);
        EXPECT_EQ(h.proto.state(), ExchangeState::FirstCopy);
        EXPECT_EQ(h.port.sent.back(), 0x01);
    }
}

TEST(Protocol, ReadInChunksMovesProgressAndDeliversImageAndStatus) {
    Harness h;
    const Bytes8 image = pattern(256, 1);
    h.proto.beginRead();
    h.arrive(kAck);
    EXPECT_EQ(h.takeSent(), (Bytes8{0xFF, 0x01}));
    h.arriveInChunks(image, {100, 100, 56});
    EXPECT_EQ(h.takeSent(), Bytes8{0x01});
    h.arriveInChunks(image, {100, 100, 56});
    EXPECT_EQ(h.takeSent(), (Bytes8{0x03, 0x07}));
    EXPECT_EQ(h.progress, (std::vector<int>{0, 50, 100, 128, 178, 228, 256}));
    EXPECT_EQ(h.pauses, std::vector<int>(6, 100));

    // The service block may trickle in: it is taken once all 512 are there.
    const Bytes8 block = serviceBlock(0x20);
    h.arriveInChunks(block, {300, 212});
    EXPECT_TRUE(h.proto.result());
    EXPECT_EQ(h.finishes, 1);
    EXPECT_FALSE(h.timer.active());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), h.proto.image().begin()));
    EXPECT_EQ(h.proto.statusByte(), 0x20);
}

TEST(Protocol, DifferingSecondCopyIsRequestedAgainKeepingTheFirst) {
    Harness h;
    const Bytes8 image = pattern(256, 2);
    Bytes8 other = image;
    other[17] ^= 0x40;
    h.proto.beginRead();
    h.arrive(kAck);
    h.arrive(image);
    h.takeSent();
    for (int i = 0; i < 4; ++i) {
        h.arrive(other);
        EXPECT_EQ(h.proto.state(), ExchangeState::SecondCopy);
        h.clock.fireNext();
        EXPECT_EQ(h.takeSent(), Bytes8{0x01});
    }
    h.arrive(image);
    EXPECT_EQ(h.proto.state(), ExchangeState::ServiceBlock);
    h.arrive(serviceBlock(0));
    ASSERT_TRUE(h.proto.result());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), h.proto.image().begin()));
}

TEST(Protocol, SecondCopiesThatNeverAgreeEndTheReadAfterTheRetries) {
    // Noise before the first copy shifts it: no second copy can agree with
    // it, so the read must end by itself instead of asking for ever.
    Harness h;
    const Bytes8 image = pattern(256, 2);
    h.proto.beginRead();
    h.arrive(kAck);
    h.arrive({0x00, 0x7F, 0x13});
    h.arrive(Bytes8(image.begin(), image.end() - 3));
    h.takeSent();
    int ticks = 0;
    while (h.finishes == 0 && ticks < 20) {
        h.arrive(image);
        h.clock.fireNext();
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(h.port.sent, Bytes8(5, 0x01));
    EXPECT_FALSE(h.proto.result());
}

TEST(Protocol, ServiceBlockOfWrongLengthFailsAtTheNextTick) {
    for (int size : {511, 513}) {
        Harness h;
        readUpToServiceBlock(h, pattern(256, 3));
        h.arrive(pattern(size, 4));
        EXPECT_EQ(h.finishes, 0);
        EXPECT_EQ(h.tickUntilFinished(), 1);
        EXPECT_FALSE(h.proto.result());
    }
}

TEST(Protocol, StalledBlockIsRequestedAgainFiveTimes) {
    Harness h;
    h.proto.beginRead();
    h.arrive(kAck);
    h.arrive(pattern(200, 1)); // the rest never comes
    h.takeSent();
    EXPECT_EQ(h.tickUntilFinished(), 6);
    EXPECT_EQ(h.port.sent, Bytes8(5, 0x01));
    EXPECT_FALSE(h.proto.result());
}

TEST(Protocol, OverlongChunksNeitherOverrunNorCorruptTheBlock) {
    Harness h;
    const Bytes8 image = pattern(256, 6);
    h.proto.beginRead();
    h.arrive(kAck);
    h.arrive(pattern(300, 9)); // more than a block at once: discarded
    EXPECT_TRUE(h.port.rx.empty());
    EXPECT_EQ(h.proto.state(), ExchangeState::FirstCopy);
    h.arrive(Bytes8(image.begin(), image.begin() + 200));
    Bytes8 tail(image.begin() + 200, image.end());
    tail.insert(tail.end(), 100, 0xEE); // bytes past the block's end
    h.arrive(tail);
    EXPECT_EQ(h.proto.state(), ExchangeState::SecondCopy);
    h.arrive(image);
    h.arrive(serviceBlock(0));
    ASSERT_TRUE(h.proto.result());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), h.proto.image().begin()));
}

TEST(Protocol, OneEntryWriteSendsTwoAttentionBytesAndOneRecord) {
    Harness h;
    h.proto.beginWrite(writeListOf({{0x10, 0x20}}));
    h.arrive(kAck);
    h.arrive(kAck);
    EXPECT_EQ(h.proto.result(), false);
    h.arrive(kAck);
    EXPECT_TRUE(h.proto.result());
    EXPECT_EQ(h.finishes, 1);
    EXPECT_EQ(h.port.sent, (Bytes8{0xFF, 0xFF, 0x02, 0x10, 0x20, 0xCE}));
    EXPECT_EQ(h.progress, (std::vector<int>{0, 0, 256}));
}

TEST(Protocol, WriteSendsEveryRecordInOrderAndProgresses) {
    Harness h;
    h.proto.beginWrite(writeListOf({{0, 1}, {5, 0xFF}, {0xFF, 0xFF}, {231, 9}}));
    h.arrive(kAck);
    h.arrive(kAck);
    h.arrive({0x44, 0x13}); // an acknowledgement chunk ending in 0x13 counts
    h.arrive(kAck);
    h.arrive(kAck);
    EXPECT_FALSE(h.proto.result());
    h.arrive(kAck);
    EXPECT_TRUE(h.proto.result());
    EXPECT_EQ(h.port.sent, (Bytes8{0xFF, 0xFF, 0x02, 0, 1, 0xFD, 0x02, 5, 0xFF, 0xFA, 0x02, 0xFF,
                                   0xFF, 0x00, 0x02, 231, 9, 0x0E}));
    EXPECT_EQ(h.progress, (std::vector<int>{0, 0, 64, 128, 192, 256}));
}

TEST(Protocol, TickBeforeTheFirstRecordRepeatsAttentionNeverARecord) {
    Harness h;
    h.proto.beginWrite(writeListOf({{3, 4}}));
    h.arrive(kAck);
    h.takeSent();
    EXPECT_EQ(h.tickUntilFinished(), 6);
    EXPECT_EQ(h.port.sent, Bytes8(5, 0xFF));
    EXPECT_FALSE(h.proto.result());
}

TEST(Protocol, UnacknowledgedRecordIsSentSixTimesThenFails) {
    Harness h;
    h.proto.beginWrite(writeListOf({{7, 8}}));
    h.arrive(kAck);
    h.arrive(kAck);
    h.takeSent();
    EXPECT_EQ(h.tickUntilFinished(), 6);
    Bytes8 expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(expected.end(), {0x02, 7, 8, 0xEF});
    EXPECT_EQ(h.port.sent, expected); // 5 repeats after the first send
    EXPECT_FALSE(h.proto.result());
}

TEST(Protocol, NonAcknowledgementChunkOnlyPauses) {
    Harness h;
    h.proto.beginWrite(writeListOf({{7, 8}}));
    h.arrive(kAck);
    h.arrive(kAck);
    h.takeSent();
    h.pauses.clear();
    h.arrive({40, 0x11, 0x12});
    EXPECT_EQ(h.pauses, (std::vector<int>{40, 3}));
    EXPECT_TRUE(h.port.sent.empty());
    EXPECT_EQ(h.proto.recordIndex(), 1);
    h.arrive(kAck);
    EXPECT_TRUE(h.proto.result());
}

TEST(Protocol, ClosingEndsTheExchangeAndResetsTheResult) {
    Harness h;
    readUpToServiceBlock(h, pattern(256, 1));
    h.arrive(serviceBlock(0));
    ASSERT_TRUE(h.proto.result());

    h.proto.beginRead();
    h.arrive(kAck);
    h.proto.closed(); // the user closed the window
    EXPECT_FALSE(h.proto.result());
    EXPECT_FALSE(h.timer.active());
    EXPECT_EQ(h.proto.state(), ExchangeState::Idle);
    h.arrive(pattern(256, 1)); // late bytes are dropped
    EXPECT_TRUE(h.port.rx.empty());
    EXPECT_FALSE(h.proto.result());
}
