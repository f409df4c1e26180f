#pragma once

// The open and save dialogs of the settings file commands and the folder
// dialog of a series. The commands ask through FileDialogs, so that tests can
// answer in place of the user.

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace ksv {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The file name the user accepted, or an empty text when cancelled.
    // proposed preselects a name (a full path or a bare name).
    virtual QString openFileName(QWidget* parent, const QString& proposed) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& proposed) = 0;
    // A folder (that need not exist yet: proposed may name a new one).
    virtual QString folderName(QWidget* parent, const QString& proposed) = 0;
};

// The file dialogs of the window: on Windows the system's own, elsewhere
// Qt's (the desktop's dialog may ask before overwriting a name still without
// its ".ust"; Windows' adds the suffix first). A proposal without a folder
// starts in the folder of the last file accepted in them, or at first in the
// user's documents folder (never the program's own folder).
class QtFileDialogs final : public FileDialogs {
public:
    // documents: the user's documents folder (by default the system's).
    explicit QtFileDialogs(QString documents = {});

    QString openFileName(QWidget* parent, const QString& proposed) override;
    QString saveFileName(QWidget* parent, const QString& proposed) override;
    QString folderName(QWidget* parent, const QString& proposed) override;

private:
    QString accepted(const QString& name);

    QString documents_;
    QString lastFolder_;
};

// proposed as a full path: as it is when it names a folder, else in
// lastFolder, or in documents when no file was accepted yet.
QString proposalInFolder(const QString& proposed, const QString& lastFolder,
                         const QString& documents);

// Whether the window uses the system's own file dialogs (on Windows).
bool systemFileDialogs();

// Destroys a file dialog with the user's settings out of its reach: Qt's
// dialog writes its history into them as it goes, on Windows into the
// registry (it reads them as it is made, which makeOpenDialog and
// makeSaveDialog shield the same way).
struct FileDialogDelete {
    void operator()(QFileDialog* d) const;
};
using FileDialogPtr = std::unique_ptr<QFileDialog, FileDialogDelete>;

// The configured dialogs, not yet shown.
FileDialogPtr makeOpenDialog(QWidget* parent, const QString& proposed);
FileDialogPtr makeSaveDialog(QWidget* parent, const QString& proposed);
FileDialogPtr makeFolderDialog(QWidget* parent, const QString& proposed);
// Saving the programming card as PDF; proposed is a full path.
FileDialogPtr makePdfDialog(QWidget* parent, const QString& proposed);

// The PDF name chosen in it, or "" when cancelled; proposed is a file name,
// put into the user's documents folder.
QString pdfFileName(QWidget* parent, const QString& proposed);

} // namespace ksv
