#include "operations/outcome_words.h"

#include "files/shown_path.h"
#include "image/codecs.h"

#include <algorithm>

namespace ksv {

FleetResult fleetResultOf(WriteResult r) {
    switch (r) {
    case WriteResult::Written:
        return FleetResult::Written;
    case WriteResult::AlreadyWritten:
        return FleetResult::AlreadyWritten;
    case WriteResult::Refused:
    case WriteResult::Stopped:
    case WriteResult::NotKept:
        return FleetResult::Refused;
    case WriteResult::VerifyFailed:
        return FleetResult::VerifyFailed;
    case WriteResult::WriteCutOff:
        return FleetResult::WriteCutOff;
    case WriteResult::NoConnection:
    case WriteResult::NoWriteAnswer:
        break;
    }
    return FleetResult::NoConnection;
}

Severity severity(FleetResult r) {
    switch (r) {
    case FleetResult::Written:
    case FleetResult::AlreadyWritten:
        return Severity::Done;
    case FleetResult::Refused:
        return Severity::NotDone;
    case FleetResult::NoConnection:
        return Severity::NoAnswer;
    case FleetResult::VerifyFailed:
    case FleetResult::WriteCutOff:
        break;
    }
    return Severity::SetInDoubt;
}

Severity severity(WriteResult r) {
    return severity(fleetResultOf(r));
}

Severity severity(const FleetSetRecord& record) {
    const bool recordMissing = !record.cardError.isEmpty() || !record.logError.isEmpty();
    return std::max(severity(record.report.result),
                    recordMissing ? Severity::NotDone : Severity::Done);
}

QString noConnectionText() {
    return QStringLiteral("Нет соединения");
}

namespace {

QString readDoneText() {
    return QStringLiteral("Данные считаны");
}

QString writtenText() {
    return QStringLiteral("Данные записаны");
}

QString writeCheckFailedText() {
    return QStringLiteral("Ошибка записи данных!");
}

OutcomeWords error(const QString& text) {
    return {WordsKind::Error, text};
}

OutcomeWords information(const QString& text) {
    return {WordsKind::Information, text};
}

} // namespace

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

OutcomeWords outcomeWords(const ReadOutcome& read) {
    if (!read.connected)
        return error(noConnectionText());
    // A wrong checksum is accepted silently: the image is shown as read.
    return read.checksumValid ? information(readDoneText()) : OutcomeWords{};
}

OutcomeWords outcomeWords(const WriteOutcome& write) {
    switch (write.result) {
    case WriteResult::NoConnection:
    case WriteResult::NoWriteAnswer:
    case WriteResult::WriteCutOff:
        return error(noConnectionText());
    case WriteResult::Refused:
        return error(writeDecisionText(write.plan.decision));
    case WriteResult::AlreadyWritten:
        return information(writeDecisionText(write.plan.decision));
    case WriteResult::Written:
        return information(writtenText());
    case WriteResult::VerifyFailed:
        return error(writeCheckFailedText());
    case WriteResult::Stopped:
    case WriteResult::NotKept: // the front end has said why
        break;
    }
    return {};
}

QString notKeptText(const QString& reason) {
    return QStringLiteral("Исходные установки радиостанции не сохранены в архиве: %1").arg(reason);
}

QString writeWithoutArchiveQuestion(const QString& reason) {
    return QStringLiteral("Исходные установки радиостанции не сохранены в архиве: %1. Записать "
                          "всё равно?")
        .arg(reason);
}

QString readNotKeptText(const QString& reason) {
    return QStringLiteral("Считанные установки не сохранены в архиве: %1").arg(reason);
}

QString writeCutOffText(const WriteOutcome& write) {
    return QStringLiteral("Запись прервана (подтверждено байт: %1 из %2), радиостанция могла "
                          "измениться")
        .arg(write.recordsWritten)
        .arg(write.plan.list.count);
}

OutcomeWords outcomeWords(const VerifyOutcome& verify) {
    switch (verify.result) {
    case VerifyResult::NoConnection:
        return error(noConnectionText());
    case VerifyResult::Refused:
        return error(writeDecisionText(verify.plan.decision));
    case VerifyResult::Differs:
        return error(writeCheckFailedText());
    case VerifyResult::Matches:
        break;
    }
    return {};
}

QString fleetReason(const WriteOutcome& write) {
    if (write.result == WriteResult::NotKept)
        return notKeptText(write.read.kept.reason);
    return write.result == WriteResult::WriteCutOff ? writeCutOffText(write)
                                                    : outcomeWords(write).text;
}

QString fleetSetHeading(int number, const Image& asRead) {
    return QStringLiteral("Радиостанция %1: %2, зав. № %3, версия ПО %4")
        .arg(number)
        .arg(QString::fromUtf8(modelName(RsType(asRead))), QString::fromStdString(ZnTxt(asRead)),
             QString::fromStdString(VerTxt(asRead)));
}

QString fleetResultText(FleetResult r, const QString& reason) {
    switch (r) {
    case FleetResult::Written:
        return QStringLiteral("записано");
    case FleetResult::AlreadyWritten:
        return QStringLiteral("уже записано");
    case FleetResult::Refused:
        return QStringLiteral("отказ: ") + reason;
    case FleetResult::NoConnection:
        return QStringLiteral("нет соединения");
    case FleetResult::WriteCutOff:
        return QStringLiteral("запись прервана");
    case FleetResult::VerifyFailed:
        break;
    }
    return QStringLiteral("ошибка проверки");
}

QString fleetSummaryName(FleetResult r) {
    return r == FleetResult::Refused ? QStringLiteral("отказ") : fleetResultText(r);
}

QString fleetCardsFailedName() {
    return QStringLiteral("карт не записано");
}

namespace {

QString firstStateNote(const FleetSetRecord& record) {
    return record.firstStatePath.isEmpty()
               ? QString()
               : QStringLiteral(". Первое состояние этого зав. № в архиве — файл ") +
                     shownPath(record.firstStatePath);
}

} // namespace

QString fleetCutOffAdvice(const FleetSetRecord& record) {
    return QStringLiteral("Подключите эту радиостанцию снова: программа закончит запись. Её "
                          "исходные установки — в файле ") +
           shownPath(record.keptPath) + firstStateNote(record);
}

QString fleetReconnectedText(const FleetSetRecord& record) {
    if (!record.originalPath.isEmpty())
        return QStringLiteral("Запись в эту радиостанцию была прервана; её исходные установки — "
                              "в файле ") +
               shownPath(record.originalPath) + firstStateNote(record);
    return QStringLiteral("Запись в радиостанцию с зав. № %1 была прервана, но этот номер есть у "
                          "нескольких радиостанций сеанса: чьи это исходные установки, не "
                          "определить — все состояния в папке %2")
        .arg(QString::fromStdString(ZnTxt(record.report.asRead)), shownPath(record.sharedFolder));
}

QString fleetSetLine(const FleetSetRecord& record) {
    const FleetSetReport& r = record.report;
    switch (r.result) {
    case FleetResult::Written:
        return QStringLiteral("Данные записаны (байт: %1)").arg(r.bytesWritten);
    case FleetResult::AlreadyWritten:
        return writeDecisionText(WriteDecision::AlreadyWritten);
    case FleetResult::Refused:
        return QStringLiteral("Отказ: ") + r.reason;
    case FleetResult::WriteCutOff:
        return r.reason + QStringLiteral(". ") + fleetCutOffAdvice(record);
    case FleetResult::NoConnection:
    case FleetResult::VerifyFailed:
        break;
    }
    return r.reason;
}

} // namespace ksv
