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
    plan.checksum = CalcCRC(plan.merged);
    plan.checksumComputed = true;
    plan.merged.setChecksum(plan.checksum);

    plan.written = current;
    plan.written.setChecksum(plan.checksum);
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (incoming[i] != plan.written[i] && isWritableOffset(i, numberChangeAllowed))
            plan.list.add(i, plan.written[i]);
    plan.decision = plan.list.empty() ? WriteDecision::AlreadyWritten : WriteDecision::Write;
    return plan;
}

QString writeDecisionText(WriteDecision d) {
    switch (d) {
    case WriteDecision::Write:
        return {};
    case WriteDecision::AlreadyWritten:
        return QStringLiteral("Данные уже записаны");
    case WriteDecision::BandMetre:
        return QStringLiteral("Приемопередатчик предназначен для метрового диапазона");
    case WriteDecision::BandDecimetre:
        return QStringLiteral("Приемопередатчик предназначен для дециметрового диапазона");
    case WriteDecision::BandUnknown:
        return QStringLiteral("Тип приемопередатчика не определен. Используйте более свежую "
                              "версию программы.");
    case WriteDecision::PowerLockedMetre:
        return QStringLiteral(
            "Радиостанция \"Тарвен-52\" не может быть запрограммирована в режим \"5-20-40 Вт\"");
    case WriteDecision::PowerLockedDecimetre:
        return QStringLiteral(
            "Радиостанция \"Тарвен-62\" не может быть запрограммирована в режим \"5-20-30 Вт\"");
    }
    return {};
}

bool writeDecisionIsError(WriteDecision d) {
    return d != WriteDecision::Write && d != WriteDecision::AlreadyWritten;
}

} // namespace ksv
