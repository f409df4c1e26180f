// A transceiver that misbehaves on a line that stays: bursts of noise, a
// reset in the middle of a write, silence after the last record. No exchange
// may report success that did not happen or run on for ever, and the next
// command must work once the transceiver behaves again.
#include "fault_bench.h"
#include "link_test_util.h"

#include <mutex>
#include <random>
#include <thread>

using namespace ksv;
using namespace ksv::test;
using namespace std::chrono_literals;

namespace {

// The platform's device with noise mixed into what it receives: a burst is
// queued ahead of the real input as soon as the program has sent a given
// number of bytes, as if the line picked it up right after that byte left.
class NoisyDevice final : public SerialDevice {
public:
    struct Burst {
        long afterSentBytes = 0;
        std::vector<std::uint8_t> bytes;
    };
    explicit NoisyDevice(std::vector<Burst> bursts)
        : inner_(createPlatformSerialDevice()), bursts_(std::move(bursts)) {}

    bool open(const std::string& name) override { return inner_->open(name); }
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    int error() const override { return inner_->error(); }
    bool applyLine(const LineSettings& line) override { return inner_->applyLine(line); }
    int queuedIn() override {
        const int real = inner_->queuedIn();
        std::lock_guard lk(m_);
        return std::max(0, real) + static_cast<int>(noise_.size());
    }
    int queuedOut() override { return inner_->queuedOut(); }
    int read(std::uint8_t* dst, int n) override {
        int taken = 0;
        {
            std::lock_guard lk(m_);
            while (taken < n && !noise_.empty()) {
                dst[taken++] = noise_.front();
                noise_.erase(noise_.begin());
            }
        }
        if (taken == n)
            return taken;
        const int got = inner_->read(dst + taken, n - taken);
        return got < 0 ? (taken > 0 ? taken : got) : taken + got;
    }
    int write(const std::uint8_t* src, int n) override {
        const int written = inner_->write(src, n);
        if (written > 0) {
            bool added = false;
            {
                std::lock_guard lk(m_);
                const long before = sent_;
                sent_ += written;
                for (const Burst& b : bursts_)
                    if (b.afterSentBytes >= before && b.afterSentBytes < sent_) {
                        noise_.insert(noise_.end(), b.bytes.begin(), b.bytes.end());
                        added = true;
                    }
            }
            if (added)
                inner_->wake(Waiter::Reader);
        }
        return written;
    }
    void purgeIn() override { inner_->purgeIn(); }
    void purgeOut() override { inner_->purgeOut(); }
    ModemLines modemLines() override { return inner_->modemLines(); }
    void setDtr(bool on) override { inner_->setDtr(on); }
    void setRts(bool on) override { inner_->setRts(on); }
    WaitResult wait(Waiter who, bool forIo, int timeoutMs) override {
        if (who == Waiter::Reader && forIo) {
            std::lock_guard lk(m_);
            if (!noise_.empty())
                return WaitResult::Ready;
        }
        return inner_->wait(who, forIo, timeoutMs);
    }
    void wake(Waiter who) override { inner_->wake(who); }
    unsigned waitLineEvent(int timeoutMs) override { return inner_->waitLineEvent(timeoutMs); }

private:
    std::unique_ptr<SerialDevice> inner_;
    std::vector<Burst> bursts_;
    std::mutex m_;
    long sent_ = 0;
    std::vector<std::uint8_t> noise_;
};

std::vector<std::uint8_t> noiseBytes(std::mt19937& rng, int n, bool endInAck) {
    std::vector<std::uint8_t> v(static_cast<std::size_t>(n));
    for (auto& b : v)
        b = static_cast<std::uint8_t>(rng());
    if (endInAck)
        v.back() = TransferProtocol::kAck;
    else if (v.back() == TransferProtocol::kAck)
        v.back() = 0x00;
    return v;
}

// A bench whose port mixes the given bursts into its input (set before the
// port is opened; a new open starts counting sent bytes from zero).
struct NoisyBench : FaultBench {
    void noise(std::vector<NoisyDevice::Burst> bursts) {
        port.setOpen(false);
        port.setDeviceFactory([bursts] { return std::make_unique<NoisyDevice>(bursts); });
        ASSERT_TRUE(exchange.SelectPort(1));
    }
    void quiet() {
        port.setOpen(false);
        port.setDeviceFactory(nullptr);
        ASSERT_TRUE(exchange.SelectPort(1));
    }
};

} // namespace

// Noise at every stage of a read: the read either fails within the retry
// time or delivers exactly the transceiver's image and status, never a
// mixture. The program sends 0xFF, 0x01, 0x01, 0x03 0x07.
TEST(FaultNoise, BurstsDuringAReadNeverGiveAWrongImage) {
    std::mt19937 rng(11);
    const struct {
        const char* name;
        long afterSent;
        int length;
    } cases[] = {
        {"answering the attention byte", 1, 1}, {"before the first copy", 2, 3},
        {"before the second copy", 3, 40},      {"a burst longer than a block", 2, 300},
        {"inside the service block", 5, 7},     {"a single stray byte before the copy", 2, 1},
    };
    NoisyBench b;
    ASSERT_TRUE(b.opened);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        b.noise({{c.afterSent - 1, noiseBytes(rng, c.length, c.length == 1)}});
        Image image = defaultImage(rtVehicleVhf);
        const Image before = image;
        std::uint8_t status = 0;
        bool ok = false;
        EXPECT_LT(timed([&] { ok = b.exchange.ReadData(image, status); }), retryTimeBound());
        if (ok) {
            EXPECT_EQ(image, b.sim->image());
            EXPECT_EQ(status, 0x20);
        } else {
            EXPECT_EQ(image, before);
        }
        b.quiet();
        b.expectNextReadSucceeds();
    }
}

// A burst that ends in 0x13 looks like an acknowledgement: the write runs one
// record ahead of the transceiver, and its late acknowledgement then lands in
// the verifying read. Write and verification together must still never
// claim what the transceiver does not hold.
TEST(FaultNoise, WriteAndVerifyClaimOnlyWhatTheTransceiverHolds) {
    std::mt19937 rng(23);
    NoisyBench b;
    ASSERT_TRUE(b.opened);
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        const Image incoming = b.sim->image();
        Image current = incoming;
        for (int ch = 1; ch <= 3; ++ch)
            current.setTxCode(ch, 200 + 10 * trial + ch);
        const WritePlan plan = planWrite(current, incoming, 0, true, false);
        ASSERT_EQ(plan.decision, WriteDecision::Write);
        current.setChecksum(plan.checksum);

        // Bytes sent: 0xFF 0xFF, then four bytes per record.
        const long record = 2 + 4 * static_cast<long>(rng() % plan.list.count);
        const int length = 1 + static_cast<int>(rng() % 5);
        b.noise({{record + 3, noiseBytes(rng, length, trial % 2 == 0)}});
        const bool written = b.exchange.WriteData(plan.list);
        const bool verified = written && b.exchange.VerifyData(current);
        expectOnlyListedRecords(b.sim->records(), plan.list);
        if (verified) {
            EXPECT_TRUE(sameAtWritableOffsets(b.sim->image(), current, false));
        }
        b.quiet();
        // Whatever happened, writing again brings the transceiver up to date.
        Image now;
        std::uint8_t status;
        ASSERT_TRUE(b.exchange.ReadData(now, status));
        const WritePlan again = planWrite(current, now, 0, true, false);
        if (again.decision == WriteDecision::Write) {
            ASSERT_TRUE(b.exchange.WriteData(again.list));
        }
        EXPECT_TRUE(b.exchange.VerifyData(current));
        b.sim->clearLog();
    }
}

// The transceiver restarts after the second record and stays deaf for
// longer than the retries: the write fails, the transceiver holds exactly
// the records it acknowledged, and once it is back a new write sends only
// what is still missing.
TEST(FaultReset, ResetMidWriteFailsAndTheNextWriteCompletesIt) {
    FaultBench b;
    ASSERT_TRUE(b.opened);
    const Image incoming = b.sim->image();
    Image current = incoming;
    for (int ch = 10; ch <= 13; ++ch)
        current.setRxCode(ch, 300 + ch);
    const WritePlan plan = planWrite(current, incoming, 0, true, false);
    ASSERT_GE(plan.list.count, 4);
    current.setChecksum(plan.checksum);

    b.sim->setFaults(SimFaults{.unackedRecord = 2, .unackedTimes = -1});
    bool ok = true;
    EXPECT_LT(timed([&] { ok = b.exchange.WriteData(plan.list); }), retryTimeBound());
    EXPECT_FALSE(ok);
    expectOnlyListedRecords(b.sim->records(), plan.list);
    Image expected = incoming;
    for (int k = 0; k < 2; ++k)
        expected[plan.list.offsets[k]] = plan.list.values[k];
    EXPECT_EQ(b.sim->image(), expected);

    b.sim->setFaults(SimFaults{});
    b.sim->clearLog();
    Image now;
    std::uint8_t status;
    ASSERT_TRUE(b.exchange.ReadData(now, status));
    const WritePlan rest =
        planWrite(current, now, TransferProtocol::powerLocked(status), true, false);
    ASSERT_EQ(rest.decision, WriteDecision::Write);
    EXPECT_EQ(rest.list.count, plan.list.count - 2);
    ASSERT_TRUE(b.exchange.WriteData(rest.list));
    EXPECT_TRUE(b.exchange.VerifyData(current));
}

// A restart short enough for the retries: the program repeats the record the
// transceiver missed, unchanged, and goes on with the next one.
TEST(FaultReset, ShortResetIsBridgedByRepeatingTheSameRecord) {
    FaultBench b;
    ASSERT_TRUE(b.opened);
    const WriteList list = writeListOf({{40, 1}, {41, 2}, {42, 3}});
    b.sim->setFaults(SimFaults{.unackedRecord = 1, .unackedTimes = -1});
    std::thread recover([&] {
        // Back after the record was missed three times.
        if (b.sim->waitForReceived(2 + 4 * 4, 5s))
            b.sim->setFaults(SimFaults{});
    });
    const bool ok = b.exchange.WriteData(list);
    recover.join();
    EXPECT_TRUE(ok);
    const auto records = b.sim->records();
    expectOnlyListedRecords(records, list);
    EXPECT_GE(records.size(), 5u);
    for (int k = 0; k < list.count; ++k)
        EXPECT_EQ(b.sim->image()[list.offsets[k]], list.values[k]);
}

// The last record goes out and nothing answers: the record is repeated,
// nothing else is sent, and the write fails within the retry time.
TEST(FaultSilence, SilenceAfterTheLastRecordFails) {
    FaultBench b;
    ASSERT_TRUE(b.opened);
    const WriteList list = writeListOf({{50, 5}, {51, 6}, {52, 7}});
    b.sim->setFaults(SimFaults{.unackedRecord = list.count - 1, .unackedTimes = -1});
    bool ok = true;
    EXPECT_LT(timed([&] { ok = b.exchange.WriteData(list); }), retryTimeBound());
    EXPECT_FALSE(ok);
    const auto records = b.sim->records();
    expectOnlyListedRecords(records, list);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(list.count - 1 + 6));
    EXPECT_EQ(b.sim->received().size(), 2u + 4u * records.size());

    b.sim->setFaults(SimFaults{});
    b.expectNextReadSucceeds();
}
