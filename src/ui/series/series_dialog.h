#pragma once

// "Запись серии": the window's settings into one set after another on the
// main window's open port, by the fleet loop that the command line runs too
// (every set logged, its original backed up, a cut-off write named as such,
// a set of another type refused). The loop runs inside the window's own
// event loops, so the window stays responsive; stopping and closing take
// effect between two steps, never in the middle of a write.

#include "link/port_exchange.h"
#include "operations/fleet_session.h"
#include "ui/series/series_plan.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace ksv {

class FileDialogs;
class SeriesTable;

class SeriesDialog : public QDialog, private FleetView {
    Q_OBJECT
public:
    // exchange: the main window's, on its open port; dialogs: for the
    // choice of the series folder.
    SeriesDialog(const SeriesSource& source, PortExchange& exchange, FileDialogs& dialogs,
                 QWidget* parent = nullptr);
    ~SeriesDialog() override;

    QString folder() const;
    bool running() const { return running_; }

    // Closing while a set is served stops the series first.
    void reject() override;

private:
    void buildSettings(QVBoxLayout* layout);
    void buildProgress(QVBoxLayout* layout);
    void buildButtons(QVBoxLayout* layout);
    void connectButtons();
    void startOrStop();
    bool openSession();
    void runSeries();
    void requestStop();
    void showRunning(bool on);
    void chooseFolder();
    void exchangeStarting(ExchangeKind kind);

    // FleetView
    void waitingForSet() override;
    void setRead(int number, const Image& asRead) override;
    void backupSaved(const QString&) override {}
    void setRecorded(const FleetSetRecord& record) override;
    void waitingForRemoval() override;

    SeriesSource source_;
    PortExchange& exchange_;
    FileDialogs& dialogs_;
    EventLoopExchangeView exchangeView_;
    std::unique_ptr<FleetSession> session_;
    FleetSummary counts_;
    int cardsFailed_ = 0;
    int rowsBefore_ = 0; // rows of the runs before this one
    bool wroteThisSet_ = false;
    bool running_ = false;
    QElapsedTimer started_;
    bool stopRequested_ = false;
    bool closeWhenStopped_ = false;

    QLineEdit* folderEdit_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QCheckBox* cardsBox_ = nullptr;
    QCheckBox* beepBox_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* heading_ = nullptr;
    QProgressBar* progress_ = nullptr;
    SeriesTable* table_ = nullptr;
    QLabel* countsLabel_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace ksv
