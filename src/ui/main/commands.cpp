#include "ui/main/commands.h"

#include "link/port_line.h"
#include "link/port_selection.h"
#include "operations/fleet_session.h"
#include "operations/outcome_words.h"
#include "operations/transceiver_commands.h"
#include "operations/write_plan.h"
#include "print/card_from_image.h"
#include "serial/port_map.h"
#include "ui/archive/window_archive.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/factory_number_dialog.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/help/help_window.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/printing/print_preview.h"
#include "ui/series/series_dialog.h"

#include <QLabel>

namespace ksv::commands {
namespace {

void showWords(const OutcomeWords& w) {
    if (w.kind == WordsKind::Error)
        messenger().error(w.text);
    else if (w.kind == WordsKind::Information)
        messenger().information(w.text);
}

} // namespace

// New and Open take the file named in the status bar with them into their
// step of the history.
void newFile(MainWindow& form) {
    const ImageHistory::Step step(form.history());
    if (form.windows().files)
        form.windows().files->newFile();
}

void openFile(MainWindow& form) {
    const ImageHistory::Step step(form.history());
    if (form.windows().files)
        form.windows().files->openFile();
}

void saveFile(MainWindow& form) {
    if (form.windows().files)
        form.windows().files->saveFile();
}

print::CardData cardToPrint(MainWindow& form) {
    return print::cardOfShownImage(form.imageAsShown(), form.operatingMode(),
                                   fileFromStatus(form.fileStatus()));
}

void print(MainWindow& form) {
    if (print::PrintPreview* p = form.windows().printPreview)
        p->showCard(cardToPrint(form));
}

void readRadio(MainWindow& form) {
    PortLine* line = form.windows().line.get();
    if (!line)
        return;
    const ReadOutcome read = readTransceiver(line->exchange(), &windowArchive());
    showWords(outcomeWords(read));
    if (!read.connected)
        return;
    showKeptRead(form, windowArchive(), read.kept);
    form.incomingImage() = read.image;
    // A wrong checksum is accepted silently: the window shows what was read.
    form.showImage(read.imageToShow());
    if (read.powerLocked && form.operatingMode() == omService) {
        QLabel* label = form.rangeLabel();
        label->setText(label->text() + QStringLiteral(" (выход в режим 40(30) Вт заблокирован)"));
    }
}

// F5. The window commits its edits once the transceiver has answered, then
// the write goes on with the committed image alone; the window takes back
// only the image with the write's checksum (it is not refreshed). Nothing is
// sent whose state before could not be kept, unless the user says so.
void writeRadio(MainWindow& form) {
    const ImageHistory::Step step(form.history()); // the commit and the checksum
    PortLine* line = form.windows().line.get();
    if (!line)
        return;
    const ReadOutcome read = readTransceiver(line->exchange(), &windowArchive());
    if (!read.connected) {
        showWords(outcomeWords(WriteOutcome{}));
        return;
    }
    form.incomingImage() = read.image;
    form.commitEdits();
    WriteQuestions ask;
    ask.withoutArchive = [](const QString& why) {
        return messenger().questionNoByDefault(writeWithoutArchiveQuestion(why));
    };
    const WriteOutcome o = writeAfterRead(line->exchange(), read, form.currentImage(),
                                          form.numberChangeAllowed(), &windowArchive(), ask);
    form.windowImage().set(o.image);
    showWords(outcomeWords(o));
}

namespace {

// "COM1 (/dev/ttyUSB0)": the port as the series log names it.
QString portLabel(int com) {
    return fleetPortLabel(QStringLiteral("COM%1").arg(com), systemPortMap().resolve(com).device,
                          true);
}

} // namespace

// The window is stored as F5 stores it before anything is written; the
// series then writes that image and leaves the window as it is.
void writeSeries(MainWindow& form) {
    PortLine* line = form.windows().line.get();
    if (!line || !form.windows().files)
        return;
    const int com = line->exchange().openPort();
    if (com == 0) {
        messenger().error(portUnavailableText(line->port().ComNumber()));
        return;
    }
    form.commitEdits();
    SeriesSource source = seriesSource(form.currentImage(), fileFromStatus(form.fileStatus()),
                                       portLabel(com), form.operatingMode());
    source.archive = &windowArchive();
    SeriesDialog series(source, line->exchange(), form.windows().files->dialogs(), &form);
    series.exec();
}

void help(MainWindow& form) {
    if (HelpWindow* h = form.windows().help)
        h->showContents();
}

void about(MainWindow& form) {
    if (AboutDialog* dialog = form.windows().aboutDialog)
        dialog->showAbout();
}

void rawEditor(MainWindow& form) {
    const ImageHistory::Step step(form.history()); // the commit and the show
    if (RawEditor* e = form.windows().rawEditor)
        e->editCurrentImage();
}

void factoryNumber(MainWindow& form) {
    if (FactoryNumberDialog* sn = form.windows().factoryNumberDialog)
        sn->askForNumber();
}

void quitHelp(MainWindow& form) {
    if (HelpWindow* h = form.windows().help)
        h->closeHelp();
}

} // namespace ksv::commands
