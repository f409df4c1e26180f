#include "operations/transceiver_commands.h"

#include "image/checksum.h"
#include "image/settings.h"
#include "link/transfer_protocol.h"

#include <future>

namespace ksv {

Image ReadOutcome::imageToShow() const {
    Image shown = image;
    if (powerLocked)
        setting(SettingId::PowerLevels).store(shown, 0);
    return shown;
}

namespace {

// Keeps the image of a read while the rest of the read (the service block,
// about half a second) still crosses the line, so that the flushes to disk
// cost the read nothing; the read's result waits for the keep.
class KeepDuringRead {
public:
    KeepDuringRead(PortExchange& link, const StateArchive* archive)
        : link_(link), archive_(archive) {
        if (archive_)
            link_.setImageAgreed([this](const Image& image) {
                agreed_ = image;
                keeping_ = std::async(std::launch::async,
                                      [archive = archive_, image] { return archive->keep(image); });
            });
    }
    ~KeepDuringRead() {
        link_.setImageAgreed({});
        if (keeping_.valid())
            keeping_.wait();
    }
    KeepDuringRead(const KeepDuringRead&) = delete;
    KeepDuringRead& operator=(const KeepDuringRead&) = delete;

    // The image the read returned, kept.
    KeepResult kept(const Image& read) {
        link_.setImageAgreed({});
        if (!archive_)
            return {};
        if (keeping_.valid()) {
            const KeepResult r = keeping_.get();
            if (agreed_ == read)
                return r;
        }
        return archive_->keep(read);
    }

private:
    PortExchange& link_;
    const StateArchive* archive_;
    Image agreed_;
    std::future<KeepResult> keeping_;
};

} // namespace

ReadOutcome readTransceiver(PortExchange& link, const StateArchive* archive) {
    ReadOutcome r;
    KeepDuringRead keeping(link, archive);
    r.connected = link.ReadData(r.image, r.status);
    if (!r.connected) {
        r.status = 0;
        return r;
    }
    r.checksumValid = CheckCRC(r.image);
    r.powerLocked = TransferProtocol::powerLocked(r.status);
    r.kept = keeping.kept(r.image);
    return r;
}

namespace {

// Sends the list and reads the transceiver back to compare.
void writeAndVerify(PortExchange& link, const StateArchive* archive, WriteOutcome& o) {
    const bool written = link.WriteData(o.plan.list);
    o.recordsSent = link.protocol().recordsSent();
    o.recordsWritten = link.protocol().recordsAcknowledged();
    if (!written) {
        o.result = o.recordsSent > 0 ? WriteResult::WriteCutOff : WriteResult::NoWriteAnswer;
        return;
    }
    std::uint8_t status = 0;
    KeepDuringRead keeping(link, archive);
    o.readBackOk = link.ReadData(o.readBack, status);
    if (o.readBackOk)
        o.keptAfter = keeping.kept(o.readBack);
    o.verified = o.readBackOk && sameAtWritableOffsets(o.readBack, o.image, o.numberChange);
    o.result = o.verified ? WriteResult::Written : WriteResult::VerifyFailed;
}

} // namespace

namespace {

// The write after its read, decided from the image alone.
WriteOutcome writeAfterRead(PortExchange& link, const ReadOutcome& read, WriteQuestions& ask,
                            const StateArchive* archive) {
    WriteOutcome o;
    o.read = read;
    const Image image = ask.imageToWrite();
    o.numberChange = ask.numberChangeAllowed();
    // Only "5-10-20 (Возимая)" may be written into a set under the power lock.
    const bool firstPowerSet = setting(SettingId::PowerLevels).shownIndex(image) == 0;
    o.plan = planWrite(image, read.image, read.powerLocked, firstPowerSet, o.numberChange);
    o.image = o.plan.checksumComputed ? o.plan.written : image;
    if (writeDecisionIsError(o.plan.decision)) {
        o.result = WriteResult::Refused;
        return o;
    }
    if (o.plan.decision == WriteDecision::AlreadyWritten) {
        o.result = WriteResult::AlreadyWritten;
        return o;
    }
    if (!ask.proceedWithWrite(o.plan)) {
        o.result = WriteResult::Stopped;
        return o;
    }
    // Without the state read on disk nothing is sent, unless the front end
    // says so.
    if (o.read.kept.failed() && !ask.writeWithoutArchive(o.read.kept.reason)) {
        o.result = WriteResult::NotKept;
        return o;
    }
    writeAndVerify(link, archive, o);
    return o;
}

} // namespace

WriteOutcome writeTransceiver(PortExchange& link, WriteQuestions& ask,
                              const StateArchive* archive) {
    const ReadOutcome read = readTransceiver(link, archive);
    if (!read.connected) {
        WriteOutcome o;
        o.read = read;
        return o; // NoConnection
    }
    if (!ask.imageRead(read)) {
        WriteOutcome o;
        o.read = read;
        o.result = WriteResult::Stopped;
        return o;
    }
    return writeAfterRead(link, read, ask, archive);
}

VerifyOutcome verifyTransceiver(PortExchange& link, const Image& file, bool numberChangeAllowed,
                                const StateArchive* archive) {
    VerifyOutcome v;
    v.read = readTransceiver(link, archive);
    if (!v.read.connected)
        return v;
    // The file's own power bit plays the power level list, and the power
    // lock does not apply: a comparison writes nothing.
    v.plan = planWrite(file, v.read.image, false, true, numberChangeAllowed);
    if (writeDecisionIsError(v.plan.decision))
        v.result = VerifyResult::Refused;
    else if (v.plan.decision == WriteDecision::AlreadyWritten)
        v.result = VerifyResult::Matches;
    else
        v.result = VerifyResult::Differs;
    return v;
}

} // namespace ksv
