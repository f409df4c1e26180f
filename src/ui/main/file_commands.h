#pragma once

// The commands of the "Файл" menu: New, Open and Save. They work on the main
// window's image through ImageHost and show every message themselves.

#include "ui/dialogs/file_dialogs.h"
#include "ui/model/image_host.h"

#include <QString>
#include <functional>
#include <memory>

namespace ksv {

class FileCommands {
public:
    // dialogs: nullptr for Qt's own file dialogs.
    explicit FileCommands(ImageHost& host, std::unique_ptr<FileDialogs> dialogs = nullptr);

    void newFile();
    void openFile();
    void saveFile();
    // Loads a file as Open does, without the dialog and without making it
    // the name Save proposes (a state of the archive, which is never
    // replaced).
    void openPath(const QString& name);

    // The name last accepted in the open dialog during this run, whether or
    // not that file could be read; empty until then. New and Save keep it.
    QString openDialogFileName() const { return openName_; }
    // The dialogs the commands ask (a series asks them for its folder).
    FileDialogs& dialogs() { return *dialogs_; }

    // What ends the program after "Ошибка #2. Программа будет закрыта.";
    // by default the application's event loop is left with exit code 2.
    void setTerminate(std::function<void()> terminate) { terminate_ = std::move(terminate); }

private:
    ImageHost& host_;
    std::unique_ptr<FileDialogs> dialogs_;
    QString openName_;
    std::function<void()> terminate_;
};

} // namespace ksv
