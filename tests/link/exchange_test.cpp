// Read, write and verify over a real pseudo-terminal: the port component,
// the protocol and the transceiver simulator, healthy and with faults.
#include "files/ust_file.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "link/port_exchange.h"
#include "link_test_util.h"
#include "operations/transceiver_commands.h"
#include "operations/write_plan.h"
#include "support/sim_on_port.h"
#include "support/write_lists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace ksv;
using namespace ksv::test;

namespace {

// Short timer and pauses: the retries of a failing exchange take ~1 s.
const ExchangeTimings kFast{200, 10};

long countOf(const std::vector<std::uint8_t>& v, std::uint8_t b) {
    return std::count(v.begin(), v.end(), b);
}

// A simulator on COM1 and the exchange running on it without a window.
struct Bench {
    explicit Bench(const ExchangeTimings& timings = kFast) {
        configureSerialPort(port);
        exchange.setTimings(timings);
        opened = exchange.SelectPort(1);
    }
    SimOnPort com1{1, sampleTransceiverImage(), 0x20};
    TransceiverSim& sim = com1.sim();
    SerialPort port;
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange{port, timer, view};
    bool opened = false;
};

} // namespace

TEST(Exchange, ReadWriteVerifyAgainstTheTransceiver) {
    Bench b;
    ASSERT_TRUE(b.opened);
    Image incoming;
    std::uint8_t status = 0;
    ASSERT_TRUE(b.exchange.ReadData(incoming, status));
    EXPECT_EQ(incoming, b.sim.image());
    EXPECT_EQ(status, 0x20);

    Image current = incoming;
    current.setRxCode(3, 77);
    current[231] = 0x30;
    current[230] = 0x00; // protected: never written
    const WritePlan plan =
        planWrite(current, incoming, TransferProtocol::powerLocked(status), true, false);
    ASSERT_EQ(plan.decision, WriteDecision::Write);
    current.setChecksum(plan.checksum);

    b.sim.clearLog();
    ASSERT_TRUE(b.exchange.WriteData(plan.list));
    EXPECT_EQ(b.sim.received(), lineBytesOf(plan.list));
    EXPECT_EQ(b.sim.image(), plan.merged);
    EXPECT_EQ(b.sim.image()[230], 0x5A);
    EXPECT_TRUE(b.exchange.VerifyData(current));

    ASSERT_TRUE(b.exchange.ReadData(incoming, status));
    EXPECT_EQ(
        planWrite(current, incoming, TransferProtocol::powerLocked(status), true, false).decision,
        WriteDecision::AlreadyWritten);
}

TEST(Exchange, VerificationComparesWritableOffsetsOnly) {
    Bench b;
    ASSERT_TRUE(b.opened);
    const Image expected = b.sim.image();
    Image changed = expected;
    changed[240] ^= 0xFF;
    changed[227] ^= 0x01;
    b.sim.setImage(changed);
    EXPECT_TRUE(b.exchange.VerifyData(expected));
    EXPECT_FALSE(b.exchange.VerifyData(expected, true)); // 227 counts with a number change
    changed[17] ^= 0x01;
    b.sim.setImage(changed);
    EXPECT_FALSE(b.exchange.VerifyData(expected));
}

TEST(Exchange, SilentTransceiverFailsAfterSixAttentionBytes) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.silent = true});
    Image image = defaultImage(rtVehicleVhf);
    const Image before = image;
    std::uint8_t status = 0x77;
    EXPECT_FALSE(b.exchange.ReadData(image, status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(image, before);
    EXPECT_EQ(b.sim.received(), std::vector<std::uint8_t>(6, 0xFF));
}

TEST(Exchange, HandshakeFaultsAreRetried) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.doubleAck = 1});
    Image image;
    std::uint8_t status;
    EXPECT_TRUE(b.exchange.ReadData(image, status));
    EXPECT_EQ(b.sim.received()[0], 0xFF);
    EXPECT_EQ(b.sim.received()[1], 0xFF); // the double answer did not count
    EXPECT_EQ(image, b.sim.image());

    b.sim.clearLog();
    b.sim.setFaults(SimFaults{.strayBeforeAttentionAck = 1, .strayByte = 0x07});
    EXPECT_TRUE(b.exchange.ReadData(image, status));
    EXPECT_EQ(countOf(b.sim.received(), 0xFF), 2);
}

TEST(Exchange, RecordAcknowledgementsWithStrayBytesCount) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.strayBeforeRecordAck = -1, .strayByte = 0x02});
    const WriteList list = writeListOf({{16, 1}, {17, 2}, {18, 3}});
    EXPECT_TRUE(b.exchange.WriteData(list));
    EXPECT_EQ(b.sim.received(), lineBytesOf(list));
}

TEST(Exchange, DifferingSecondCopyIsReadAgain) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.differingSecondCopies = 1});
    Image image;
    std::uint8_t status;
    ASSERT_TRUE(b.exchange.ReadData(image, status));
    EXPECT_EQ(image, b.sim.image());
    EXPECT_EQ(countOf(b.sim.received(), 0x01), 3);
}

TEST(Exchange, ServiceBlockOfWrongLengthFails) {
    Bench b;
    ASSERT_TRUE(b.opened);
    for (int size : {511, 513}) {
        b.sim.setFaults(SimFaults{.serviceBlockSize = size});
        Image image;
        std::uint8_t status = 1;
        EXPECT_FALSE(b.exchange.ReadData(image, status)) << size;
        EXPECT_EQ(status, 0);
    }
    b.sim.setFaults(SimFaults{});
    Image image;
    std::uint8_t status;
    EXPECT_TRUE(b.exchange.ReadData(image, status)); // the next read is fine again
}

TEST(Exchange, UnacknowledgedRecordFailsWithoutSendingAnythingElse) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.unackedRecord = 1});
    const WriteList list = writeListOf({{20, 0x11}, {21, 0x22}, {22, 0x33}});
    EXPECT_FALSE(b.exchange.WriteData(list));
    const auto records = b.sim.records();
    ASSERT_EQ(records.size(), 7u); // the first, then the second six times
    EXPECT_TRUE(records[0].acknowledged);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_EQ(records[i].offset, 21);
        EXPECT_FALSE(records[i].acknowledged);
    }
    EXPECT_EQ(b.sim.image()[21], sampleTransceiverImage()[21]);

    b.sim.setFaults(SimFaults{});
    EXPECT_TRUE(b.exchange.WriteData(list));
    EXPECT_EQ(b.sim.image()[22], 0x33);
}

TEST(Exchange, BlocksInChunksAreAssembled) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.chunkSize = 60, .chunkGapMs = 15});
    Image image;
    std::uint8_t status;
    ASSERT_TRUE(b.exchange.ReadData(image, status));
    EXPECT_EQ(image, b.sim.image());
    EXPECT_EQ(status, 0x20);
}

TEST(Exchange, LineVanishingMidReadFails) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.vanishAfterSentBytes = 1 + 100});
    Image image = defaultImage(rtVehicleVhf);
    const Image before = image;
    std::uint8_t status;
    EXPECT_FALSE(b.exchange.ReadData(image, status));
    EXPECT_EQ(image, before);
    EXPECT_TRUE(b.sim.lineVanished());
    b.port.setOpen(false);
}

TEST(Exchange, LineVanishingMidWriteFailsAfterOnlyListedRecords) {
    Bench b;
    ASSERT_TRUE(b.opened);
    b.sim.setFaults(SimFaults{.vanishAtRecord = 2});
    const WriteList list = writeListOf({{30, 1}, {31, 2}, {32, 3}, {33, 4}});
    EXPECT_FALSE(b.exchange.WriteData(list));
    const auto records = b.sim.records();
    ASSERT_EQ(records.size(), 3u);
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].offset, list.offsets[i]);
}

TEST(Exchange, PacedLineWithSlowRecordsAtFullTimings) {
    Bench b(ExchangeTimings{});
    ASSERT_TRUE(b.opened);
    b.sim.setPacing(true);
    b.sim.setRecordDelay(std::chrono::milliseconds(5));
    const Image incoming = b.sim.image();
    Image current = incoming;
    for (int ch = 1; ch <= 4; ++ch)
        current.setTxCode(ch, 100 + ch);
    const WritePlan plan = planWrite(current, incoming, 0, true, false);
    current.setChecksum(plan.checksum);
    ASSERT_TRUE(b.exchange.WriteData(plan.list));
    EXPECT_TRUE(b.exchange.VerifyData(current));
}

// Write questions answered with `image`, a stop before sending when told, and a
// write without the archive when told so.
struct TestWrite : WriteQuestions {
    Image image;
    bool proceed = true;
    bool withoutArchive = false;
    QStringList notKept;             // the reasons it was asked about
    std::function<void()> onProceed; // when the plan is ready
    bool imageRead(const ReadOutcome&) override { return true; }
    Image imageToWrite() override { return image; }
    bool numberChangeAllowed() override { return false; }
    bool proceedWithWrite(const WritePlan&) override {
        if (onProceed)
            onProceed();
        return proceed;
    }
    bool writeWithoutArchive(const QString& reason) override {
        notKept << reason;
        return withoutArchive;
    }
};

Image fileImage(const QString& path) {
    Image im;
    EXPECT_TRUE(ReadUSTFile(path, im).ok()) << path.toStdString();
    return im;
}

TEST(TransceiverCommands, ReadReportsChecksumAndPowerLock) {
    Bench b;
    ASSERT_TRUE(b.opened);
    const ReadOutcome r = readTransceiver(b.exchange, nullptr);
    EXPECT_TRUE(r.connected && r.checksumValid && r.powerLocked);
    EXPECT_EQ(r.image, b.sim.image());
    EXPECT_EQ(r.kept.status, KeepResult::Off);
    EXPECT_TRUE(r.imageToShow().get(map::PowerSet));
    b.sim.setFaults(SimFaults{.silent = true});
    EXPECT_FALSE(readTransceiver(b.exchange, nullptr).connected);
}

// A state is kept once; read again unchanged it is found, changed it is kept anew.
TEST(TransceiverCommands, ReadIsKeptOnceUntilTheSetChanges) {
    Bench b;
    ASSERT_TRUE(b.opened);
    QTemporaryDir dir;
    const StateArchive archive(dir.filePath(QStringLiteral("Архив")));
    const ReadOutcome first = readTransceiver(b.exchange, &archive);
    ASSERT_EQ(first.kept.status, KeepResult::Kept) << first.kept.reason.toStdString();
    EXPECT_TRUE(first.kept.original);
    EXPECT_EQ(fileImage(first.kept.path), b.sim.image());
    const ReadOutcome again = readTransceiver(b.exchange, &archive);
    EXPECT_EQ(again.kept.status, KeepResult::Unchanged);
    EXPECT_EQ(again.kept.path, first.kept.path);
    Image changed = b.sim.image();
    changed.setRxCode(2, 55);
    b.sim.setImage(changed);
    const ReadOutcome later = readTransceiver(b.exchange, &archive);
    EXPECT_EQ(later.kept.status, KeepResult::Kept);
    EXPECT_FALSE(later.kept.original);
    const QString number = QString::fromStdString(ZnTxt(changed));
    ASSERT_EQ(archive.states(number).size(), 2u);
    EXPECT_EQ(archive.original(number)->path, first.kept.path);
}

// The state before a write is on disk before the first record is sent; when
// it cannot be kept, nothing is sent unless the host agrees.
TEST(TransceiverCommands, WriteKeepsTheStatesBeforeAndAfter) {
    QTemporaryDir dir;
    const QString blocked = dir.filePath(QStringLiteral("файл"));
    QFile(blocked).open(QIODevice::WriteOnly); // a file where the archive's folder would be
    for (const bool archiveWorks : {true, false}) {
        for (const bool withoutArchive : {false, true}) {
            Bench b;
            ASSERT_TRUE(b.opened);
            const StateArchive archive(archiveWorks ? dir.filePath(QStringLiteral("Архив"))
                                                    : blocked + QStringLiteral("/Архив"));
            const Image before = b.sim.image();
            const QString number = QString::fromStdString(ZnTxt(before));
            TestWrite host;
            host.image = before;
            host.image.setRxCode(5, 99);
            host.withoutArchive = withoutArchive;
            bool keptBeforeSending = false;
            host.onProceed = [&] { keptBeforeSending = !archive.states(number).empty(); };
            const WriteOutcome o = writeTransceiver(b.exchange, host, &archive);
            const bool sent = archiveWorks || withoutArchive;
            EXPECT_EQ(o.result, sent ? WriteResult::Written : WriteResult::NotKept);
            EXPECT_EQ(host.notKept.size(), archiveWorks ? 0 : 1);
            EXPECT_EQ(countOf(b.sim.received(), 0x02) > 0, sent);
            EXPECT_EQ(keptBeforeSending, archiveWorks);
            if (!archiveWorks)
                continue;
            EXPECT_EQ(fileImage(o.read.kept.path), before);
            ASSERT_EQ(o.keptAfter.status, KeepResult::Kept);
            EXPECT_EQ(fileImage(o.keptAfter.path), o.plan.merged);
            QDir(dir.filePath(QStringLiteral("Архив"))).removeRecursively();
        }
    }
}

TEST(TransceiverCommands, WriteRunsTheWholeSequence) {
    struct Case {
        int changedOffset; // -1: nothing changed
        bool proceed;
        SimFaults faults;
        WriteResult result;
        int records;
    };
    const Case cases[] = {
        {17, true, {}, WriteResult::Written, 2},
        {-1, true, {}, WriteResult::AlreadyWritten, 0},
        {17, false, {}, WriteResult::Stopped, 0},
        {17, true, {.unappliedRecord = 0}, WriteResult::VerifyFailed, 2},
        {17, true, {.unackedRecord = 0}, WriteResult::WriteCutOff, 0},
        {map::Band.offset(), true, {}, WriteResult::Refused, 0},
    };
    for (const Case& c : cases) {
        Bench b;
        ASSERT_TRUE(b.opened);
        b.sim.setFaults(c.faults);
        TestWrite host;
        host.image = b.sim.image();
        if (c.changedOffset >= 0)
            host.image[c.changedOffset] ^= 0x01;
        host.proceed = c.proceed;
        const WriteOutcome o = writeTransceiver(b.exchange, host, nullptr);
        EXPECT_EQ(o.result, c.result) << c.changedOffset;
        EXPECT_EQ(o.recordsWritten, c.records) << c.changedOffset;
        EXPECT_EQ(o.verified, c.result == WriteResult::Written);
        if (c.result == WriteResult::Written) {
            EXPECT_EQ(o.readBack, o.plan.merged);
        }
    }
}
