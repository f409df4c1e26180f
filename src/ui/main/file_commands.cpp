#include "ui/main/file_commands.h"

#include "files/shown_path.h"
#include "files/ust_file.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "ui/dialogs/messages.h"

#include <QCoreApplication>

namespace ksv {

FileCommands::FileCommands(ImageHost& host, std::unique_ptr<FileDialogs> dialogs)
    : host_(host), dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtFileDialogs>()),
      terminate_([] { QCoreApplication::exit(2); }) {}

void FileCommands::newFile() {
    const std::optional<int> type = host_.chooseRadioTypeForNew();
    if (!type)
        return;
    // The default image keeps the current checksum byte until the next store.
    Image image = host_.currentImage();
    LoadDefault(*type, image);
    if (!host_.showImage(image)) {
        messenger().error(QStringLiteral("Ошибка #2. Программа будет закрыта."));
        terminate_();
        return;
    }
    host_.setFileInUse(QString());
}

void FileCommands::openFile() {
    const QString name = dialogs_->openFileName(host_.hostWindow(), openName_);
    if (name.isEmpty())
        return;
    openName_ = name;
    openPath(name);
}

void FileCommands::openPath(const QString& name) {
    Image read;
    const UstReadResult r = ReadUSTFile(name, read);
    if (!r.ok()) {
        messenger().error(readFailureMessage(r, name));
        return;
    }
    if (!host_.showImage(read)) {
        messenger().error(QStringLiteral("Файл ") + shownPath(name) + QStringLiteral(" поврежден"));
        return;
    }
    host_.setFileInUse(name);
}

void FileCommands::saveFile() {
    // The proposal comes from the image as it is, before the window is stored.
    const QString proposed =
        openName_.isEmpty() ? QString::fromStdString(ZnTxt(host_.currentImage())) : openName_;
    const QString name = dialogs_->saveFileName(host_.hostWindow(), proposed);
    if (name.isEmpty())
        return;

    host_.commitEdits();
    const UstWriteResult r = WriteUSTFile(name, host_.currentImage());
    if (!r.ok) {
        messenger().error(writeFailureMessage(name));
        return;
    }
    host_.setFileInUse(name);
}

} // namespace ksv
