#include "ui/main/archive_commands.h"

#include "image/codecs.h"
#include "link/port_line.h"
#include "operations/outcome_words.h"
#include "ui/archive/archive_dialog.h"
#include "ui/archive/radio_compare_dialog.h"
#include "ui/archive/window_archive.h"
#include "ui/dialogs/messages.h"
#include "ui/main/commands.h"
#include "ui/main/file_commands.h"
#include "ui/model/app_windows.h"
#include "ui/model/command_host.h"
#include "ui/model/image_history.h"

namespace ksv::commands {

void showArchive(CommandHost& window) {
    ArchiveWindowHost host;
    host.open = [&window](const QString& path) {
        const ImageHistory::Step step(window.history()); // with the file's name, as Open
        if (window.windows().files)
            window.windows().files->openPath(path);
    };
    host.windowImage = [&window] { return window.imageAsShown(); };
    ArchiveDialog archive(windowArchive(), host, window.hostWindow());
    archive.chooseNumber(QString::fromStdString(ZnTxt(window.currentImage())));
    archive.exec();
}

namespace {

// F5 up to the point where it would send its list, with the window's
// settings as F5 would commit them, without committing them.
class CompareWithRadio : public WriteQuestions {
public:
    explicit CompareWithRadio(CommandHost& window) : window_(window) {}
    Image imageToWrite() override { return window_.imageAsShown(); }
    bool numberChangeAllowed() override { return window_.numberChangeAllowed(); }
    bool proceedWithWrite(const WritePlan&) override { return false; }

private:
    CommandHost& window_;
};

} // namespace

void compareWithRadio(CommandHost& window) {
    PortLine* line = window.windows().line.get();
    if (!line)
        return;
    CompareWithRadio ask(window);
    const WriteOutcome o = writeTransceiver(line->exchange(), ask, &windowArchive());
    if (!o.read.connected) {
        messenger().error(noConnectionText());
        return;
    }
    RadioCompareDialog compare(o, window.hostWindow());
    if (compare.exec() == QDialog::Accepted)
        writeRadio(window);
}

} // namespace ksv::commands
