#include "operations/write_plan.h"

#include "image/checksum.h"

namespace ksv {

WritePlan planWrite(const Image& current, const Image& incoming, bool powerLocked,
                    bool powerListAtFirstEntry, bool numberChangeAllowed) {
    WritePlan plan;
    const int band = incoming.band();
    if (band != current.band()) {
        plan.decision = band == 1   ? WriteDecision::BandMetre
                        : band == 2 ? WriteDecision::BandDecimetre
                                    : WriteDecision::BandUnknown;
        return plan;
    }
    if (powerLocked && !powerListAtFirstEntry) {
        if (band == 1) {
            plan.decision = WriteDecision::PowerLockedMetre;
            return plan;
        }
        if (band == 2) {
            plan.decision = WriteDecision::PowerLockedDecimetre;
            return plan;
        }
    }
    plan.merged = incoming;
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (isWritableOffset(i, numberChangeAllowed))
            plan.merged[i] = current[i];
    storeChecksum(plan.merged);
    plan.checksum = plan.merged.checksum();
    plan.checksumComputed = true;

    plan.written = current;
    plan.written.setChecksum(plan.checksum);
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (incoming[i] != plan.written[i] && isWritableOffset(i, numberChangeAllowed))
            plan.list.add(i, plan.written[i]);
    plan.decision = plan.list.empty() ? WriteDecision::AlreadyWritten : WriteDecision::Write;
    return plan;
}

bool writeDecisionIsError(WriteDecision d) {
    return d != WriteDecision::Write && d != WriteDecision::AlreadyWritten;
}

} // namespace ksv
