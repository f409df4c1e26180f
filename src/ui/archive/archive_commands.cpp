#include "ui/archive/archive_commands.h"

#include "image/codecs.h"
#include "link/port_line.h"
#include "operations/outcome_words.h"
#include "ui/archive/archive_dialog.h"
#include "ui/archive/radio_compare_dialog.h"
#include "ui/archive/window_archive.h"
#include "ui/dialogs/messages.h"
#include "ui/main/commands.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"

namespace ksv::commands {

void showArchive(MainWindow& form) {
    ArchiveWindowHost host;
    host.open = [&form](const QString& path) {
        const ImageHistory::Step step(form.history()); // with the file's name, as Open
        if (form.windows().files)
            form.windows().files->openPath(path);
    };
    host.windowImage = [&form] { return form.imageAsShown(); };
    ArchiveDialog archive(windowArchive(), host, &form);
    archive.chooseNumber(QString::fromStdString(ZnTxt(form.currentImage())));
    archive.exec();
}

// F5 up to the point where it would send its list, with the window's
// settings as F5 would commit them, without committing them.
void compareWithRadio(MainWindow& form) {
    PortLine* line = form.windows().line.get();
    if (!line)
        return;
    const ReadOutcome read = readTransceiver(line->exchange(), &windowArchive());
    if (!read.connected) {
        messenger().error(noConnectionText());
        return;
    }
    WriteQuestions ask;
    ask.proceed = [](const WritePlan&) { return false; };
    const WriteOutcome o = writeAfterRead(line->exchange(), read, form.imageAsShown(),
                                          form.numberChangeAllowed(), &windowArchive(), ask);
    RadioCompareDialog compare(o, &form);
    if (compare.exec() == QDialog::Accepted)
        writeRadio(form);
}

} // namespace ksv::commands
