#pragma once

// The file commands on a window-free host, with dialogs that answer with a
// prepared name and may change the file system in the moment between the
// user's choice and the command's read or write.

#include "files/ust_file.h"
#include "image/defaults.h"
#include "support/fake_image_host.h"
#include "support/message_recorder.h"
#include "support/scratch_folder.h"
#include "ui/main/file_commands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace ksv::test {

struct ActingDialogs final : FileDialogs {
    QString answer;
    std::function<void()> afterChoice; // runs once the name is chosen

    QString openFileName(QWidget*, const QString&) override { return choose(); }
    QString saveFileName(QWidget*, const QString&) override { return choose(); }
    QString folderName(QWidget*, const QString&) override { return {}; }
    QString choose() {
        if (afterChoice)
            afterChoice();
        return answer;
    }
};

class HostileFiles : public ::testing::Test, protected ScratchFolder {
protected:
    HostileFiles() {
        host.remembered = rtVehicleVhf;
        LoadDefault(rtVehicleVhf, host.current);
        host.commitEdits();
        host.calls.clear();
        host.file = QStringLiteral("/earlier/card.ust");
    }

    // Everything in the folder, hidden files included (a save's temporary file).
    QStringList entries(const QString& folder) const {
        return QDir(folder).entryList(
            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    FakeImageHost host;
    MessageRecorder messages;
    ActingDialogs* dialogs = new ActingDialogs;
    FileCommands commands{host, std::unique_ptr<FileDialogs>(dialogs)};
};

} // namespace ksv::test
