#include "ui/dialogs/file_dialogs.h"

#include "serial/os/user_settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QStringList>

namespace ksv {
namespace {

// The filter of settings files. Qt's dialog matches its patterns without
// regard to case, so "RADIO.UST" is listed as well.
QString ustFilter() {
    return QStringLiteral("Файл установок (*.ust)");
}

void configure(QFileDialog& d, const QString& proposed) {
    d.setOption(QFileDialog::DontUseNativeDialog, !systemFileDialogs());
    d.setOption(QFileDialog::ReadOnly, false);
    d.setNameFilter(ustFilter());
    d.setDefaultSuffix(QStringLiteral("ust"));
    d.setSizeGripEnabled(true);
    d.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    d.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    d.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    d.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    // The folder is set on its own: Windows' dialog takes only a name as the
    // file to select and would start in the working folder.
    if (!proposed.isEmpty()) {
        const QFileInfo info(proposed);
        d.setDirectory(info.absolutePath());
        d.selectFile(info.fileName());
    }
}

QString run(QFileDialog& d) {
    if (d.exec() != QDialog::Accepted)
        return {};
    const QStringList files = d.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

bool systemFileDialogs() {
    return QGuiApplication::platformName() == QLatin1String("windows");
}

QString proposalInFolder(const QString& proposed, const QString& lastFolder,
                         const QString& documents) {
    if (proposed.isEmpty() || proposed.contains(QLatin1Char('/')) ||
        proposed.contains(QLatin1Char('\\')))
        return proposed;
    const QString folder = lastFolder.isEmpty() ? documents : lastFolder;
    return folder.isEmpty() ? proposed : QDir(folder).filePath(proposed);
}

void FileDialogDelete::operator()(QFileDialog* d) const {
    const os::UserSettingsOutOfReach outOfReach;
    delete d;
}

// Made without the history of earlier runs or other programs: the dialog
// reads Qt's settings as it is made, Windows' own dialog included.
FileDialogPtr makeOpenDialog(QWidget* parent, const QString& proposed) {
    const os::UserSettingsOutOfReach outOfReach;
    FileDialogPtr d(new QFileDialog(parent, QStringLiteral("Открытие файла")));
    d->setAcceptMode(QFileDialog::AcceptOpen);
    // A name that does not exist is accepted; reading it reports "не найден".
    d->setFileMode(QFileDialog::AnyFile);
    configure(*d, proposed);
    d->setLabelText(QFileDialog::Accept, QStringLiteral("Открыть"));
    return d;
}

FileDialogPtr makeSaveDialog(QWidget* parent, const QString& proposed) {
    const os::UserSettingsOutOfReach outOfReach;
    FileDialogPtr d(new QFileDialog(parent, QStringLiteral("Сохранить как")));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    // Overwriting an existing file needs the dialog's own confirmation.
    d->setOption(QFileDialog::DontConfirmOverwrite, false);
    configure(*d, proposed);
    d->setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
    return d;
}

// Opens in the nearest existing folder of the proposal; a proposed folder
// that does not exist yet is offered by its name.
FileDialogPtr makeFolderDialog(QWidget* parent, const QString& proposed) {
    const os::UserSettingsOutOfReach outOfReach;
    FileDialogPtr d(new QFileDialog(parent, QStringLiteral("Папка серии")));
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setFileMode(QFileDialog::Directory);
    d->setOption(QFileDialog::DontUseNativeDialog, !systemFileDialogs());
    d->setOption(QFileDialog::ShowDirsOnly, true);
    d->setSizeGripEnabled(true);
    d->setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    d->setLabelText(QFileDialog::FileName, QStringLiteral("Папка:"));
    d->setLabelText(QFileDialog::Accept, QStringLiteral("Выбрать"));
    d->setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    QString existing = QDir::cleanPath(proposed);
    while (!existing.isEmpty() && !QFileInfo(existing).isDir()) {
        const QString up = QFileInfo(existing).path();
        if (up == existing)
            break;
        existing = up;
    }
    d->setDirectory(existing);
    return d;
}

QtFileDialogs::QtFileDialogs(QString documents)
    : documents_(documents.isEmpty()
                     ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                     : std::move(documents)) {}

QString QtFileDialogs::accepted(const QString& name) {
    if (!name.isEmpty())
        lastFolder_ = QFileInfo(name).absolutePath();
    return name;
}

FileDialogPtr makePdfDialog(QWidget* parent, const QString& proposed) {
    const os::UserSettingsOutOfReach outOfReach;
    FileDialogPtr d(new QFileDialog(parent, QStringLiteral("Сохранение карты в PDF")));
    d->setAcceptMode(QFileDialog::AcceptSave);
    d->setFileMode(QFileDialog::AnyFile);
    d->setOption(QFileDialog::DontUseNativeDialog, !systemFileDialogs());
    d->setOption(QFileDialog::DontConfirmOverwrite, false);
    d->setNameFilter(QStringLiteral("Документ PDF (*.pdf)"));
    d->setDefaultSuffix(QStringLiteral("pdf"));
    d->setSizeGripEnabled(true);
    d->setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
    d->setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    const QFileInfo info(proposed);
    d->setDirectory(info.absolutePath());
    d->selectFile(info.fileName());
    return d;
}

QString pdfFileName(QWidget* parent, const QString& proposed) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto d = makePdfDialog(parent, proposalInFolder(proposed, {}, documents));
    return run(*d);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& proposed) {
    const QString where = proposalInFolder(proposed, lastFolder_, documents_);
    auto d = makeOpenDialog(parent, where);
    if (proposed.isEmpty())
        d->setDirectory(lastFolder_.isEmpty() ? documents_ : lastFolder_);
    return accepted(run(*d));
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& proposed) {
    auto d = makeSaveDialog(parent, proposalInFolder(proposed, lastFolder_, documents_));
    return accepted(run(*d));
}

QString QtFileDialogs::folderName(QWidget* parent, const QString& proposed) {
    auto d = makeFolderDialog(parent, proposed);
    return run(*d);
}

} // namespace ksv
