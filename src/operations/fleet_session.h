#pragma once

// A fleet run with everything it leaves behind, the same for the command
// line and the window: for every set the type check, the backup of what it
// held, the card of what it holds now and the log row; the state each set
// held before its write, named again when that write was cut off. What the
// run shows is left to its FleetView.

#include "image/image.h"
#include "image/mode.h"
#include "operations/fleet_run.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace ksv {

class FleetLog;

// What a run writes into every set and where it keeps its records.
struct FleetPlan {
    Image file;
    QString filePath;  // the settings file, or "" for the window's settings
    QString fileName;  // as the log names them
    QString portLabel; // "COM1 (/dev/ttyUSB0)"
    OperatingMode mode = omUser;
    QString backupDir;    // "" only when backups were declined on purpose
    QString cardsDir;     // "": no cards
    QString logPath;      // "": no log
    bool anyType = false; // write sets of another radio type of the same band too
    QString hashColumn = QStringLiteral("SHA-256 файла"); // the log's name for the hash of file
    const StateArchive* archive = nullptr; // where every state read is kept; nullptr: nowhere
};

struct FleetTotals {
    FleetSummary summary;
    int cardsFailed = 0;
    // Rows that could not be written into the log even at the end of the
    // run: why, and the rows themselves (CSV lines), for the user to keep.
    bool logFailed = false;
    QString logError;
    QString unwrittenRows;
};

// The port as the log names it: "COM1 (/dev/ttyUSB0)"; the name alone when
// the device is the port of that name ("COM5", not "COM5 (COM5)"), the
// device alone when the port has no COM name.
QString fleetPortLabel(const QString& name, const std::string& device, bool comName);

// "тип радиостанции Тарвен-51 не совпадает с типом файла Тарвен-52", or ""
// when the types agree. Sets of another band are left to the band check.
QString typeMismatch(const Image& asRead, const Image& file);

class FleetSession : public FleetSteps {
public:
    FleetSession(const FleetPlan& plan, FleetView& view);
    ~FleetSession() override;

    // Makes the folders and opens the log; on failure the reason, which
    // names the folder or the log. Nothing is written into a set before.
    QString prepare();
    const FleetTotals& totals() const { return totals_; }
    FleetView& view() const { return view_; }
    // Writes the log rows kept during the run; what is still kept goes into
    // the totals.
    void finishLog();

    // FleetSteps
    bool acceptSet(int number, const Image& asRead, QString& refusal) override;
    bool recordSet(int number, const FleetSetReport& report) override;

private:
    QString cardPath(const Image& now) const;
    void writeCard(FleetSetRecord& record);
    void writeLogRow(FleetSetRecord& record);

    FleetPlan plan_;
    FleetView& view_;
    std::unique_ptr<FleetLog> log_;
    std::string fileHash_;
    QString lastBackup_;
    void nameOriginals(FleetSetRecord& record);

    std::map<std::string, QString> firstInRun_; // factory number -> state read first
    std::map<std::string, int> setsOfNumber_;   // connections not following a cut-off
    std::set<QString> cardsWritten_;
    FleetTotals totals_;
};

// Runs the loop over the line and records it in the session.
FleetTotals runFleetSession(FleetLine& line, FleetSession& session, const FleetOptions& options);

} // namespace ksv
