#include "operations/transceiver_commands.h"

#include "image/checksum.h"
#include "image/settings.h"
#include "link/transfer_protocol.h"

namespace ksv {

Image ReadOutcome::imageToShow() const {
    Image shown = image;
    if (powerLocked)
        setting(SettingId::PowerLevels).store(shown, 0);
    return shown;
}

ReadOutcome readTransceiver(PortExchange& link, const StateArchive* archive) {
    ReadOutcome r;
    r.connected = link.ReadData(r.image, r.status);
    if (!r.connected) {
        r.status = 0;
        return r;
    }
    r.checksumValid = CheckCRC(r.image);
    r.powerLocked = TransferProtocol::powerLocked(r.status);
    if (archive)
        r.kept = archive->keep(r.image);
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
    o.readBackOk = link.ReadData(o.readBack, status);
    if (o.readBackOk && archive)
        o.keptAfter = archive->keep(o.readBack);
    o.verified = o.readBackOk && sameAtWritableOffsets(o.readBack, o.image, o.numberChange);
    o.result = o.verified ? WriteResult::Written : WriteResult::VerifyFailed;
}

} // namespace

WriteOutcome writeTransceiver(PortExchange& link, WriteHost& host, const StateArchive* archive) {
    const ReadOutcome read = readTransceiver(link, archive);
    if (!read.connected) {
        WriteOutcome o;
        o.read = read;
        return o; // NoConnection
    }
    if (!host.imageRead(read)) {
        WriteOutcome o;
        o.read = read;
        o.result = WriteResult::Stopped;
        return o;
    }
    WriteQuestions ask;
    ask.proceed = [&host](const WritePlan& plan) { return host.proceedWithWrite(plan); };
    ask.withoutArchive = [&host](const QString& why) { return host.writeWithoutArchive(why); };
    return writeAfterRead(link, read, host.imageToWrite(), host.numberChangeAllowed(), archive,
                          ask);
}

WriteOutcome writeAfterRead(PortExchange& link, const ReadOutcome& read, const Image& image,
                            bool numberChange, const StateArchive* archive,
                            const WriteQuestions& ask) {
    WriteOutcome o;
    o.read = read;
    o.numberChange = numberChange;
    // Only "5-10-20 (Возимая)" may be written into a set under the power lock.
    const bool firstPowerSet = setting(SettingId::PowerLevels).shownIndex(image) == 0;
    o.plan = planWrite(image, read.image, read.powerLocked, firstPowerSet, numberChange);
    o.image = o.plan.checksumComputed ? o.plan.written : image;
    if (writeDecisionIsError(o.plan.decision)) {
        o.result = WriteResult::Refused;
        return o;
    }
    if (o.plan.decision == WriteDecision::AlreadyWritten) {
        o.result = WriteResult::AlreadyWritten;
        return o;
    }
    if (ask.proceed && !ask.proceed(o.plan)) {
        o.result = WriteResult::Stopped;
        return o;
    }
    // Without the state read on disk nothing is sent, unless the front end
    // says so.
    if (o.read.kept.failed() && !(ask.withoutArchive && ask.withoutArchive(o.read.kept.reason))) {
        o.result = WriteResult::NotKept;
        return o;
    }
    writeAndVerify(link, archive, o);
    return o;
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
