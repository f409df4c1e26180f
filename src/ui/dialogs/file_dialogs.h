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

// Qt's own file dialogs (never the desktop's), so the ".ust" suffix is added
// to a typed name before the overwrite question is asked.
class QtFileDialogs final : public FileDialogs {
public:
    QString openFileName(QWidget* parent, const QString& proposed) override;
    QString saveFileName(QWidget* parent, const QString& proposed) override;
    QString folderName(QWidget* parent, const QString& proposed) override;
};

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

} // namespace ksv
