#pragma once

// The one place where what an operation did becomes words, and where it is
// judged how serious it is: the message box of the window, the line and the
// exit code of the command line, the result column of the fleet log and the
// colours of the series window all take them from here, so that they never
// disagree.

#include "operations/fleet_run.h"
#include "operations/transceiver_commands.h"

#include <QString>

namespace ksv {

enum class WordsKind {
    None,        // nothing to say (a wrong checksum read silently, a stopped command)
    Information, // a notice: "Данные считаны", "Данные записаны" ...
    Error,       // a refusal or a failure
};

struct OutcomeWords {
    WordsKind kind = WordsKind::None;
    QString text;
};

// How serious an outcome is, least first.
enum class Severity {
    Done,       // written, or the set already held the file
    NotDone,    // nothing written: refused, stopped, the state read not kept;
                // or a set's card or log row not written
    NoAnswer,   // the set did not answer; nothing written
    SetInDoubt, // the set may not hold what it should: its check failed or
                // its write was cut off
};

// What a write came to, as the fleet counts it.
FleetResult fleetResultOf(WriteResult r);
// The one judgement of how serious an outcome is.
Severity severity(FleetResult r);
Severity severity(WriteResult r);
// A fleet set: its result's, and at least NotDone when its card or log row
// is missing.
Severity severity(const FleetSetRecord& record);

QString noConnectionText(); // "Нет соединения"

// The message of a write decision: a refusal ("Приемопередатчик
// предназначен для ..."), "Данные уже записаны", or "" for Write.
QString writeDecisionText(WriteDecision d);

// Read: "Нет соединения", "Данные считаны", or nothing for a wrong checksum.
OutcomeWords outcomeWords(const ReadOutcome& read);
// Write: the message the write command shows for its result. A write cut
// off after the handshake is "Нет соединения", as the first read failing is.
OutcomeWords outcomeWords(const WriteOutcome& write);
// What a write cut off after its first record left: "Запись прервана
// (подтверждено байт: 2 из 7), радиостанция могла измениться".
QString writeCutOffText(const WriteOutcome& write);
// "Исходные установки радиостанции не сохранены в архиве: <reason>"
QString notKeptText(const QString& reason);
// The window's question before a write whose state could not be kept:
// notKeptText + ". Записать всё равно?"
QString writeWithoutArchiveQuestion(const QString& reason);
// A read whose state could not be kept: "Считанные установки не сохранены в
// архиве: <reason>"
QString readNotKeptText(const QString& reason);
// Verify: nothing when the transceiver holds the file, else the reason.
OutcomeWords outcomeWords(const VerifyOutcome& verify);

// Why a fleet set ended as it did, from its write: the write's message, for
// a cut-off write what it left, for a state not kept why.
QString fleetReason(const WriteOutcome& write);

// "Радиостанция 2: Тарвен-52, зав. № 100002, версия ПО 2.3"
QString fleetSetHeading(int number, const Image& asRead);

// A fleet set's result as the log and the summary name it: "записано", "уже
// записано", "отказ: <reason>", "нет соединения", "ошибка проверки",
// "запись прервана".
QString fleetResultText(FleetResult r, const QString& reason = {});
// The names of the summary's counts: as the results, a refusal as "отказ".
QString fleetSummaryName(FleetResult r);
QString fleetCardsFailedName(); // "карт не записано"
// What to do after a cut-off write: "Подключите эту радиостанцию снова:
// программа закончит запись. Её исходные установки — в файле <state read
// at this connection>", and where the first state kept for its factory
// number is another file: ". Первое состояние этого зав. № в архиве — файл
// <path>".
QString fleetCutOffAdvice(const FleetSetRecord& record);
// A set connected again after its write was cut off: "Запись в эту
// радиостанцию была прервана; её исходные установки — в файле <original>",
// or, where several sets of the run share its factory number, that whose
// they are cannot be told.
QString fleetReconnectedText(const FleetSetRecord& record);
// The line the command line shows when a set is done: "Данные записаны
// (байт: 2)", "Отказ: <reason>", a cut-off write with its advice ...
QString fleetSetLine(const FleetSetRecord& record);

} // namespace ksv
