// The words of outcomes: the message of every write decision and the line
// the command line shows when a fleet set is done.
#include "operations/outcome_words.h"

#include <QDir>
#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(OutcomeWords, EveryWriteDecisionHasItsMessage) {
    const struct {
        WriteDecision decision;
        const char* text;
    } cases[] = {
        {WriteDecision::Write, ""},
        {WriteDecision::AlreadyWritten, "Данные уже записаны"},
        {WriteDecision::BandMetre, "Приемопередатчик предназначен для метрового диапазона"},
        {WriteDecision::BandDecimetre, "Приемопередатчик предназначен для дециметрового диапазона"},
        {WriteDecision::BandUnknown,
         "Тип приемопередатчика не определен. Используйте более свежую версию программы."},
        {WriteDecision::PowerLockedMetre,
         "Радиостанция \"Тарвен-52\" не может быть запрограммирована в режим \"5-20-40 Вт\""},
        {WriteDecision::PowerLockedDecimetre,
         "Радиостанция \"Тарвен-62\" не может быть запрограммирована в режим \"5-20-30 Вт\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(writeDecisionText(c.decision), QString::fromUtf8(c.text));
}

TEST(OutcomeWords, FleetSetLineForEachResult) {
    const struct {
        FleetResult result;
        const char* reason;
        const char* line;
    } cases[] = {
        {FleetResult::Written, "", "Данные записаны (байт: 3)"},
        {FleetResult::AlreadyWritten, "Данные уже записаны", "Данные уже записаны"},
        {FleetResult::Refused, "тип не тот", "Отказ: тип не тот"},
        {FleetResult::NoConnection, "Нет соединения", "Нет соединения"},
        {FleetResult::VerifyFailed, "Ошибка записи данных!", "Ошибка записи данных!"},
        {FleetResult::WriteCutOff, "Запись прервана",
         "Запись прервана. Подключите эту радиостанцию снова: программа закончит запись. Её "
         "исходные установки — в файле /копии/1.ust"},
    };
    for (const auto& c : cases) {
        FleetSetRecord record;
        record.report.result = c.result;
        record.report.reason = QString::fromUtf8(c.reason);
        record.report.bytesWritten = 3;
        const QString kept = QStringLiteral("/копии/1.ust"); // the state read at this connection
        record.keptPath = kept;
        // The path is shown as the system writes it ("\копии\1.ust" on Windows).
        EXPECT_EQ(fleetSetLine(record),
                  QString::fromUtf8(c.line).replace(kept, QDir::toNativeSeparators(kept)));
    }
}

} // namespace
} // namespace ksv
