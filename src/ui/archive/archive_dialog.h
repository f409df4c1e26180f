#pragma once

// «Архив радиостанций»: the sets of the archive (filtered as a factory
// number is typed), the states of the chosen set newest first, and what can
// be done with a state: open it in the main window, compare it with the
// window's settings in the words of the command line's diff, show it in the
// file manager.

#include "files/state_archive.h"
#include "image/image.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace ksv {

class ArchivedSetsModel;
class KeptStatesModel;

// What the archive window asks of the main window.
struct ArchiveWindowHost {
    // Loads a state into the window as «Открыть» loads a file.
    std::function<void(const QString& path)> open;
    // The window's settings as F5 would store them.
    std::function<Image()> windowImage;
};

class ArchiveDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveDialog(const StateArchive& archive, ArchiveWindowHost host, QWidget* parent = nullptr);
    ~ArchiveDialog() override;

    // Reads the archive's folder again.
    void reload();
    // Chooses the set of that factory number, when the archive holds it.
    void chooseNumber(const QString& number);
    // The state chosen in the list of states, or nullptr.
    const KeptState* chosenState() const;

    // The commands of the buttons.
    void openChosen();
    void compareChosen();
    void showChosenInFolder();

private:
    void buildLists();
    void buildButtons();
    void showStatesOfChosenSet();
    void updateButtons();

    const StateArchive& archive_;
    ArchiveWindowHost host_;
    ArchivedSetsModel* setsModel_ = nullptr;
    KeptStatesModel* statesModel_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTableView* sets_ = nullptr;
    QTableView* states_ = nullptr;
    QLabel* differencesLabel_ = nullptr;
    QListWidget* differences_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* folderButton_ = nullptr;
};

} // namespace ksv
