#include "link/transceiver_commands.h"

#include "image/checksum.h"
#include "link/transfer_protocol.h"

namespace ksv {

Image ReadOutcome::imageToShow() const {
    Image shown = image;
    if (powerLocked)
        setBit(shown[off::Options223], bit::PowerSet);
    return shown;
}

ReadOutcome readTransceiver(PortExchange& link) {
    ReadOutcome r;
    r.connected = link.ReadData(r.image, r.status);
    if (!r.connected) {
        r.status = 0;
        return r;
    }
    r.checksumValid = CheckCRC(r.image);
    r.powerLocked = (r.status & TransferProtocol::kPowerLockBit) != 0;
    return r;
}

namespace {

// Sends the list and reads the transceiver back to compare.
void writeAndVerify(PortExchange& link, WriteOutcome& o) {
    if (!link.WriteData(o.plan.list)) {
        o.result = WriteResult::WriteFailed;
        return;
    }
    o.recordsWritten = o.plan.list.count;
    std::uint8_t status = 0;
    o.readBackOk = link.ReadData(o.readBack, status);
    o.verified = o.readBackOk && sameAtWritableOffsets(o.readBack, o.image, o.numberChange);
    o.result = o.verified ? WriteResult::Written : WriteResult::VerifyFailed;
}

} // namespace

WriteOutcome writeTransceiver(PortExchange& link, WriteHost& host) {
    WriteOutcome o;
    o.read = readTransceiver(link);
    if (!o.read.connected)
        return o; // NoConnection
    if (!host.imageRead(o.read)) {
        o.result = WriteResult::Stopped;
        return o;
    }
    o.image = host.imageToWrite();
    o.numberChange = host.numberChangeAllowed();
    o.plan = planWrite(o.image, o.read.image, o.read.status, host.powerListAtFirstEntry(),
                       o.numberChange);
    if (o.plan.checksumComputed)
        o.image[off::Checksum] = o.plan.checksum;
    if (writeDecisionIsError(o.plan.decision)) {
        o.result = WriteResult::Refused;
        return o;
    }
    if (o.plan.decision == WriteDecision::AlreadyWritten) {
        o.result = WriteResult::AlreadyWritten;
        return o;
    }
    if (!host.proceedWithWrite(o.plan)) {
        o.result = WriteResult::Stopped;
        return o;
    }
    writeAndVerify(link, o);
    return o;
}

} // namespace ksv
