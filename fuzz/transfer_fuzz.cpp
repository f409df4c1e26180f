// The transfer state machine driven by arbitrary chunks of bytes, timer ticks
// and closes, for a read, a write and a verification. Besides memory and
// undefined-behaviour errors it checks what a service engineer relies on:
//  - only the protocol's frames are sent, and in a write only records of the
//    list, each one first sent after the acknowledgement that asks for it;
//  - a read succeeds only on a 512-byte service block after two equal
//    copies the line really delivered, a write only on the acknowledgement
//    of its last record;
//  - without progress the exchange ends after its retries;
//  - nothing is sent after the exchange has ended or was closed;
//  - a write list built from two images names writable offsets only.
#include "fuzz_check.h"
#include "image/defaults.h"
#include "image/image.h"
#include "link/transfer_protocol.h"
#include "link/write_list.h"
#include "operations/write_plan.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

using namespace ksv;

namespace {

using Chunk = std::vector<std::uint8_t>;

constexpr int kInSize = 2048; // the port component's receive buffer

enum class Mode { Read, Write, Verify };

// Exchanges that ended in success and in failure, per mode; printed at exit
// when KSV_FUZZ_STATS is set, to show that the fuzzer reaches both.
struct Outcomes {
    long success[3] = {};
    long failure[3] = {};
    ~Outcomes() {
        if (!std::getenv("KSV_FUZZ_STATS"))
            return;
        std::fprintf(stderr,
                     "outcomes read %ld/%ld write %ld/%ld verify %ld/%ld (success/failure)\n",
                     success[0], failure[0], success[1], failure[1], success[2], failure[2]);
    }
} outcomes;

class Driver final : public ExchangePort, public ExchangeHost {
public:
    Driver(Mode mode, const WriteList& list) : mode_(mode), list_(list), proto_(*this, *this) {
        listCount_ = std::clamp(list.count, 0, static_cast<int>(kImageSize));
    }

    // ExchangePort
    int InCount() override { return static_cast<int>(rx_.size()); }
    int Receive(std::uint8_t* dst, int len) override {
        int n = 0;
        for (; n < len && !rx_.empty(); ++n) {
            dst[n] = rx_.front();
            rx_.pop_front();
        }
        taken_.insert(taken_.end(), dst, dst + n);
        return n;
    }
    int Send(const std::uint8_t* data, int len) override {
        FUZZ_CHECK(!ended_);
        checkFrame(Chunk(data, data + len));
        lastFrame_.assign(data, data + len);
        return len;
    }
    void PurgeIn() override { rx_.clear(); }
    void PurgeOut() override {}

    // ExchangeHost
    void restartTimer() override { timerOn_ = true; }
    void stopTimer() override { timerOn_ = false; }
    void setProgress(int) override {}
    void pause(int ms) override { FUZZ_CHECK(ms >= 0 && ms <= 256); }
    void finish() override {
        FUZZ_CHECK(!ended_); // once per exchange
        ended_ = true;
        FUZZ_CHECK(!timerOn_);
    }

    void begin() {
        if (mode_ == Mode::Write)
            proto_.beginWrite(list_);
        else
            proto_.beginRead();
    }

    void arrive(const Chunk& bytes) {
        for (std::uint8_t b : bytes)
            if (static_cast<int>(rx_.size()) < kInSize)
                rx_.push_back(b);
        const ExchangeState before = proto_.state();
        const int n = InCount();
        const bool ackChunk = n >= 1 && n <= 256 && rx_.back() == TransferProtocol::kAck;
        const bool exactAck = n == 1 && rx_.front() == TransferProtocol::kAck;
        if (before == ExchangeState::WriteRecords && ackChunk)
            ++acks_;
        const int recordBefore = proto_.recordIndex();
        proto_.dataAvailable();
        const ExchangeState after = proto_.state();
        if (before == ExchangeState::WriteHandshake && after == ExchangeState::WriteRecords)
            FUZZ_CHECK(exactAck);
        if (before == ExchangeState::ReadHandshake && after == ExchangeState::FirstCopy)
            FUZZ_CHECK(exactAck);
        if (after != before || proto_.recordIndex() != recordBefore)
            ticksWithoutProgress_ = 0;
        if (proto_.result() && !succeeded_)
            onSuccess(before, n);
    }

    void tick() {
        if (!timerOn_ || ended_)
            return; // a stopped timer does not fire
        inTick_ = true;
        proto_.timerTick();
        inTick_ = false;
        ++ticksWithoutProgress_;
        if (!ended_)
            FUZZ_CHECK(ticksWithoutProgress_ <= TransferProtocol::kMaxRetries);
    }

    void close() {
        proto_.closed();
        ended_ = true; // the window is gone: nothing may be sent any more
        timerOn_ = false;
    }

    // What a healthy transceiver answers to the frame sent last.
    Chunk answer(const Image& image, std::uint8_t status) const {
        if (lastFrame_.empty())
            return {};
        switch (lastFrame_[0]) {
        case TransferProtocol::kAttention:
            return {TransferProtocol::kAck};
        case TransferProtocol::kImageRequest:
            return Chunk(image.bytes().begin(), image.bytes().end());
        case 0x03: {
            Chunk block(TransferProtocol::kServiceBlockSize, 0x5A);
            block[TransferProtocol::kStatusByteIndex] = status;
            return block;
        }
        default:
            return {TransferProtocol::kAck};
        }
    }

    bool ended() const { return ended_; }
    const TransferProtocol& protocol() const { return proto_; }

private:
    void checkFrame(const Chunk& f) {
        if (mode_ != Mode::Write) {
            FUZZ_CHECK(f == Chunk{0xFF} || f == Chunk{0x01} || (f == Chunk{0x03, 0x07}));
            return;
        }
        if (f == Chunk{0xFF})
            return;
        FUZZ_CHECK(f.size() == 4);
        FUZZ_CHECK(proto_.state() == ExchangeState::WriteRecords);
        if (inTick_) { // a repeat of the record sent last, unchanged
            FUZZ_CHECK(sentRecords_ > 0);
            const auto last =
                writeRecord(list_.offsets[sentRecords_ - 1], list_.values[sentRecords_ - 1]);
            FUZZ_CHECK(std::equal(f.begin(), f.end(), last.begin()));
            return;
        }
        // The next record of the list, after the acknowledgement that asks
        // for it: record k answers acknowledgement k + 1 in the record state
        // (the first of them answers the second attention byte).
        FUZZ_CHECK(sentRecords_ < listCount_);
        const auto next = writeRecord(list_.offsets[sentRecords_], list_.values[sentRecords_]);
        FUZZ_CHECK(std::equal(f.begin(), f.end(), next.begin()));
        FUZZ_CHECK(acks_ == sentRecords_ + 1);
        ++sentRecords_;
    }

    void onSuccess(ExchangeState before, int n) {
        succeeded_ = true;
        FUZZ_CHECK(ended_);
        if (mode_ == Mode::Write) {
            FUZZ_CHECK(before == ExchangeState::WriteRecords);
            FUZZ_CHECK(sentRecords_ == listCount_);
            FUZZ_CHECK(acks_ == listCount_ + 1);
            return;
        }
        FUZZ_CHECK(before == ExchangeState::ServiceBlock);
        FUZZ_CHECK(n == TransferProtocol::kServiceBlockSize);
        FUZZ_CHECK(lastFrame_ == (Chunk{0x03, 0x07}));
        const std::size_t size = taken_.size();
        FUZZ_CHECK(size >= 512 + 2 * kImageSize);
        FUZZ_CHECK(proto_.statusByte() == taken_[size - 512 + TransferProtocol::kStatusByteIndex]);
        // Both copies were taken from the line, one after the other.
        const Chunk image(proto_.image().begin(), proto_.image().end());
        const auto first =
            std::search(taken_.begin(), taken_.end() - 512, image.begin(), image.end());
        FUZZ_CHECK(first != taken_.end() - 512);
        const auto second =
            std::search(first + kImageSize, taken_.end() - 512, image.begin(), image.end());
        FUZZ_CHECK(second != taken_.end() - 512);
    }

    Mode mode_;
    WriteList list_;
    int listCount_ = 0;
    TransferProtocol proto_;
    std::deque<std::uint8_t> rx_;
    Chunk taken_;
    Chunk lastFrame_;
    bool timerOn_ = false;
    bool inTick_ = false;
    bool ended_ = false;
    bool succeeded_ = false;
    int sentRecords_ = 0;
    int acks_ = 0;
    int ticksWithoutProgress_ = 0;
};

// A default image of one of the six types with up to 16 bytes changed: real
// images cost few input bytes, so the fuzzer spends them on the line.
Image consumeImage(FuzzedDataProvider& in) {
    Image im = defaultImage(static_cast<RadioType>(in.ConsumeIntegralInRange(0, 5)));
    const int edits = in.ConsumeIntegralInRange(0, 16);
    for (int i = 0; i < edits; ++i)
        im[in.ConsumeIntegral<std::uint8_t>()] = in.ConsumeIntegral<std::uint8_t>();
    return im;
}

// A write list as the write command builds it from two images. A refused
// write lists nothing; otherwise every entry is a writable offset at which
// the transceiver differs, ascending, and the image the transceiver will
// hold keeps its own bytes at every protected offset.
WriteList plannedList(FuzzedDataProvider& in, const Image& incoming) {
    Image current = incoming;
    const int edits = in.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < edits; ++i)
        current[in.ConsumeIntegral<std::uint8_t>()] = in.ConsumeIntegral<std::uint8_t>();
    if (in.ConsumeBool()) // mostly the same band, so that the write goes ahead
        current.set(map::Band, incoming.band());
    const bool numberChange = in.ConsumeBool();
    const std::uint8_t status = in.ConsumeIntegral<std::uint8_t>();
    const WritePlan plan = planWrite(current, incoming, TransferProtocol::powerLocked(status),
                                     in.ConsumeBool(), numberChange);
    if (plan.decision != WriteDecision::Write && plan.decision != WriteDecision::AlreadyWritten) {
        FUZZ_CHECK(plan.list.empty());
        return plan.list;
    }
    FUZZ_CHECK(plan.list.empty() == (plan.decision == WriteDecision::AlreadyWritten));
    for (int k = 0; k < plan.list.count; ++k) {
        const int offset = plan.list.offsets[k];
        FUZZ_CHECK(isWritableOffset(offset, numberChange));
        FUZZ_CHECK(incoming[offset] != plan.list.values[k]);
        FUZZ_CHECK(plan.merged[offset] == plan.list.values[k]);
        FUZZ_CHECK(k == 0 || plan.list.offsets[k - 1] < offset);
    }
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (!isWritableOffset(i, numberChange))
            FUZZ_CHECK(plan.merged[i] == incoming[i]);
    return plan.list;
}

// Any list at all, also one longer than the 256 entries a list can hold.
WriteList freeList(FuzzedDataProvider& in) {
    WriteList l;
    l.count = in.ConsumeIntegralInRange<int>(-2, 260);
    const int step = in.ConsumeIntegral<std::uint8_t>();
    const int start = in.ConsumeIntegral<std::uint8_t>();
    for (int k = 0; k < static_cast<int>(kImageSize); ++k) {
        l.offsets[k] = static_cast<std::uint8_t>(start + step * k);
        l.values[k] = static_cast<std::uint8_t>(start * k + step);
    }
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto mode = static_cast<Mode>(in.ConsumeIntegralInRange<int>(0, 2));
    const Image transceiver = consumeImage(in);
    const std::uint8_t status = in.ConsumeIntegral<std::uint8_t>();
    WriteList list;
    if (mode == Mode::Write)
        list = in.ConsumeBool() ? plannedList(in, transceiver) : freeList(in);

    Driver d(mode, list);
    d.begin();
    while (in.remaining_bytes() > 0 && !d.ended()) {
        switch (in.ConsumeIntegralInRange<int>(0, 7)) {
        case 0:
        case 1: // noise or anything else the line brings
            d.arrive(in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<int>(0, 600)));
            break;
        case 2:
        case 3: { // the healthy answer, possibly cut into two chunks
            const Chunk a = d.answer(transceiver, status);
            const std::size_t cut = in.ConsumeIntegralInRange<std::size_t>(0, a.size());
            d.arrive(Chunk(a.begin(), a.begin() + static_cast<long>(cut)));
            if (cut < a.size())
                d.arrive(Chunk(a.begin() + static_cast<long>(cut), a.end()));
            break;
        }
        case 4: // a single byte
            d.arrive({in.ConsumeIntegral<std::uint8_t>()});
            break;
        case 5:
        case 6:
            d.tick();
            break;
        case 7:
            d.close();
            break;
        }
    }
    // The line goes quiet: the exchange must end by itself.
    for (int i = 0; i <= TransferProtocol::kMaxRetries + 1 && !d.ended(); ++i)
        d.tick();
    FUZZ_CHECK(d.ended());
    (d.protocol().result() ? outcomes.success : outcomes.failure)[static_cast<int>(mode)]++;

    if (mode == Mode::Verify && d.protocol().result()) {
        // The verification's comparison: a difference counts only at a
        // writable offset.
        const Image read(d.protocol().image());
        if (read == transceiver) {
            const bool numberChange = (status & 1) != 0;
            Image expected = transceiver;
            expected[status] ^= 0x01;
            FUZZ_CHECK(sameAtWritableOffsets(read, transceiver, numberChange));
            FUZZ_CHECK(sameAtWritableOffsets(read, expected, numberChange) ==
                       !isWritableOffset(status, numberChange));
        }
    }
    return 0;
}
