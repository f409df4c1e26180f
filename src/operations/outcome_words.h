#pragma once

// The one place where what an operation did becomes words: the message box
// of the window, the line of the command line and the result column of the
// fleet log all take their texts from here, so that they never disagree.

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

QString noConnectionText(); // "Нет соединения"

// Read: "Нет соединения", "Данные считаны", or nothing for a wrong checksum.
OutcomeWords outcomeWords(const ReadOutcome& read);
// Write: the message the write command shows for its result. A write cut
// off after the handshake is "Нет соединения", as the first read failing is.
OutcomeWords outcomeWords(const WriteOutcome& write);
// What a write cut off after its first record left: "Запись прервана
// (подтверждено байт: 2 из 7), радиостанция могла измениться".
QString writeCutOffText(const WriteOutcome& write);
// Verify: nothing when the transceiver holds the file, else the reason.
OutcomeWords outcomeWords(const VerifyOutcome& verify);

// A fleet set's result as the log and the summary name it: "записано", "уже
// записано", "отказ: <reason>", "нет соединения", "ошибка проверки",
// "запись прервана".
QString fleetResultText(FleetResult r, const QString& reason = {});
// The names of the summary's counts: as the results, a refusal as "отказ".
QString fleetSummaryName(FleetResult r);
QString fleetCardsFailedName(); // "карт не записано"
// What to do after a cut-off write: "Подключите эту радиостанцию снова:
// программа закончит запись. Её исходные установки — в файле <original>".
QString fleetCutOffAdvice(const QString& originalPath);

} // namespace ksv
