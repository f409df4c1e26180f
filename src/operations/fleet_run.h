#pragma once

// Programming a fleet: one settings image into many transceivers, one after
// another on the same cable. The loop waits for a set to answer, reads it,
// programs it by the rules of the write command, records the result, and
// waits until the set stops answering before it looks for the next one, so
// that no set is programmed twice by accident. It has no window and no
// terminal: the line and the reporting are interfaces that each front end
// implements.

#include "files/state_archive.h"
#include "image/image.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace ksv {

enum class FleetResult {
    Written,
    AlreadyWritten,
    Refused,
    NoConnection,
    VerifyFailed,
    WriteCutOff, // cut off after its first record: the set may hold part of the file
};
inline constexpr int kFleetResultCount = 6;

// One set as it ended.
struct FleetSetReport {
    FleetResult result = FleetResult::NoConnection;
    QString reason;    // the message of a refusal or failure
    bool read = false; // asRead holds the image read from the set
    Image asRead;
    std::uint8_t status = 0;
    // What the set holds now by the plan (Written, AlreadyWritten,
    // VerifyFailed): the set's image with the file's writable bytes.
    Image asWritten;
    int bytesWritten = 0;  // acknowledged, also of a cut-off write
    KeepResult keptBefore; // the image read, in the archive
    // Nothing may be written any more (the archive failed): the run ends
    // after this set.
    bool endsRun = false;
    // Whether a set with this factory number was read earlier in this run,
    // and whether the write into such a set was cut off then.
    bool numberSeenBefore = false;
    bool cutOffBefore = false;
};

// The cable to the sets, as the loop uses it.
class FleetLine {
public:
    virtual ~FleetLine() = default;
    // Sends one attention byte; true when a set answered it. Returns as
    // soon as the answer came, or after one poll interval (about a second).
    virtual bool setAnswers() = 0;
    // Waits out the rest of the poll interval that the last setAnswers() began.
    virtual void restOfInterval() = 0;
    // Reads the set and programs it by the rules of the write command
    // (refusal, already written, or write and verifying read), unless
    // afterRead, given the image read before anything is written, says no.
    virtual FleetSetReport programSet(const std::function<bool(const Image&)>& afterRead) = 0;
};

// One set as the run recorded it.
struct FleetSetRecord {
    int number = 0;
    FleetSetReport report;
    QString backupPath; // this set's backup made in this run ("" when none)
    // The state read at this connection: in the archive, else its backup.
    QString keptPath;
    // The state read at the first connection of its factory number in this
    // run; "" where several sets of the run share the number (a blank number
    // always counts as shared), then sharedFolder holds their states.
    QString originalPath;
    QString sharedFolder;
    // The first state kept for its factory number in the archive, where that
    // is another file than the one named and the number is not shared.
    QString firstStatePath;
    QString cardPath;  // the card written ("" when none)
    QString cardError; // why its card was not written
    QString logError;  // why its log row was not written yet (it is kept for later)
    QStringList notes; // what the log's note column says
};

// What a front end shows of a run: the command line's terminal and the
// series window alike.
class FleetView {
public:
    virtual ~FleetView() = default;
    virtual void waitingForSet() = 0; // "Подключите радиостанцию…"
    // Set number (from 1) has been read; nothing is written into it yet.
    virtual void setRead(int number, const Image& asRead) = 0;
    virtual void backupSaved(const QString& path) = 0;
    virtual void setRecorded(const FleetSetRecord& record) = 0;
    virtual void waitingForRemoval() = 0; // "Отключите радиостанцию…"
};

// What the loop leaves to the run's records. A false result from acceptSet
// refuses that set (its reason is put into refusal); a false result from
// recordSet ends the run after that set.
class FleetSteps {
public:
    virtual ~FleetSteps() = default;
    virtual bool acceptSet(int number, const Image& asRead, QString& refusal) = 0;
    virtual bool recordSet(int number, const FleetSetReport& report) = 0;
};

struct FleetOptions {
    int count = 0; // sets to program before the run ends; 0: no limit
    // Asked between steps; true ends the run (an exchange under way is
    // never cut short by it).
    std::function<bool()> stopRequested = [] { return false; };
};

struct FleetSummary {
    std::array<int, kFleetResultCount> counts{};
    int sets = 0;             // sets recorded
    bool interrupted = false; // stopped on request or because a record failed
    int count(FleetResult r) const { return counts[static_cast<std::size_t>(r)]; }
};

FleetSummary programFleet(FleetLine& line, FleetSteps& steps, FleetView& view,
                          const FleetOptions& options);

} // namespace ksv
