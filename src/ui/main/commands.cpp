#include "ui/main/commands.h"

#include "files/shown_path.h"
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
#include "ui/model/app_windows.h"
#include "ui/model/command_host.h"
#include "ui/model/image_history.h"
#include "ui/model/window_image.h"
#include "ui/printing/print_preview.h"
#include "ui/series/series_dialog.h"

namespace ksv::commands {
namespace {

void showWords(const OutcomeWords& w) {
    if (w.kind == WordsKind::Error)
        messenger().error(w.text);
    else if (w.kind == WordsKind::Information)
        messenger().information(w.text);
}

} // namespace

// New and Open take the file in use with them into their step of the
// history.
void newFile(CommandHost& host) {
    const ImageHistory::Step step(host.history());
    if (host.windows().files)
        host.windows().files->newFile();
}

void openFile(CommandHost& host) {
    const ImageHistory::Step step(host.history());
    if (host.windows().files)
        host.windows().files->openFile();
}

void saveFile(CommandHost& host) {
    if (host.windows().files)
        host.windows().files->saveFile();
}

print::CardData cardToPrint(CommandHost& host) {
    return print::cardOfShownImage(host.imageAsShown(), host.operatingMode(),
                                   shownPath(host.fileInUse()));
}

void print(CommandHost& host) {
    if (print::PrintPreview* p = host.windows().printPreview)
        p->showCard(cardToPrint(host));
}

void readRadio(CommandHost& host) {
    PortLine* line = host.windows().line.get();
    if (!line)
        return;
    const ReadOutcome read = readTransceiver(line->exchange(), &windowArchive());
    showWords(outcomeWords(read));
    if (!read.connected)
        return;
    host.showKeptRead(read.kept);
    // A wrong checksum is accepted silently: the window shows what was read.
    host.showImage(read.imageToShow());
    if (read.powerLocked && host.operatingMode() == omService)
        host.addRangeNote(QStringLiteral(" (выход в режим 40(30) Вт заблокирован)"));
}

namespace {

// F5's answers: the window commits its edits once the transceiver has
// answered, and asks the user before it writes a set whose state could not
// be kept.
class WindowWrite : public WriteQuestions {
public:
    explicit WindowWrite(CommandHost& host) : host_(host) {}
    Image imageToWrite() override {
        host_.commitEdits();
        return host_.currentImage();
    }
    bool numberChangeAllowed() override { return host_.numberChangeAllowed(); }
    bool writeWithoutArchive(const QString& why) override {
        return messenger().questionNoByDefault(writeWithoutArchiveQuestion(why));
    }

private:
    CommandHost& host_;
};

} // namespace

// F5. The write goes on with the committed image alone; the window takes
// back only the image with the write's checksum (it is not refreshed).
void writeRadio(CommandHost& host) {
    const ImageHistory::Step step(host.history()); // the commit and the checksum
    PortLine* line = host.windows().line.get();
    if (!line)
        return;
    WindowWrite ask(host);
    const WriteOutcome o = writeTransceiver(line->exchange(), ask, &windowArchive());
    if (o.read.connected)
        host.windowImage().set(o.image);
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
void writeSeries(CommandHost& host) {
    PortLine* line = host.windows().line.get();
    if (!line || !host.windows().files)
        return;
    const int com = line->exchange().openPort();
    if (com == 0) {
        messenger().error(portUnavailableText(line->port().ComNumber()));
        return;
    }
    host.commitEdits();
    SeriesSource source = seriesSource(host.currentImage(), shownPath(host.fileInUse()),
                                       portLabel(com), host.operatingMode());
    source.archive = &windowArchive();
    SeriesDialog series(source, line->exchange(), host.windows().files->dialogs(),
                        host.hostWindow());
    series.exec();
}

void help(CommandHost& host) {
    if (HelpWindow* h = host.windows().help)
        h->showContents();
}

void about(CommandHost& host) {
    if (AboutDialog* dialog = host.windows().aboutDialog)
        dialog->showAbout();
}

void rawEditor(CommandHost& host) {
    const ImageHistory::Step step(host.history()); // the commit and the show
    if (RawEditor* e = host.windows().rawEditor)
        e->editCurrentImage();
}

void factoryNumber(CommandHost& host) {
    if (FactoryNumberDialog* sn = host.windows().factoryNumberDialog)
        sn->askForNumber();
}

void quitHelp(CommandHost& host) {
    if (HelpWindow* h = host.windows().help)
        h->closeHelp();
}

} // namespace ksv::commands
