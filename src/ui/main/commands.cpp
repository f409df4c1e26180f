#include "ui/main/commands.h"

#include "operations/outcome_words.h"
#include "operations/transceiver_commands.h"
#include "operations/write_plan.h"
#include "serial/port_map.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/dialogs/rw_form.h"
#include "ui/dialogs/sn_form.h"
#include "ui/help/help_window.h"
#include "ui/main/card_from_window.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/printing/print_form.h"
#include "ui/series/series_form.h"

#include <QComboBox>
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

void newFile(TForm1& form) {
    if (form.windows().files)
        form.windows().files->NewClick();
}

void openFile(TForm1& form) {
    if (form.windows().files)
        form.windows().files->OpenClick();
}

void saveFile(TForm1& form) {
    if (form.windows().files)
        form.windows().files->SaveClick();
}

void print(TForm1& form) {
    if (print::TPrintForm* p = form.windows().printForm)
        p->ShowPrint(cardFromWindow(form));
}

void readRadio(TForm1& form) {
    TRWForm* rw = form.windows().rwForm;
    if (!rw)
        return;
    const ReadOutcome read = readTransceiver(rw->exchange());
    showWords(outcomeWords(read));
    if (!read.connected)
        return;
    form.incomingImage() = read.image;
    // A wrong checksum is accepted silently: the window shows what was read.
    form.currentImage() = read.imageToShow();
    form.ShowBuf();
    if (read.powerLocked && form.operatingMode() == omService) {
        QLabel* label = form.rangeLabel();
        label->setText(label->text() + QStringLiteral(" (выход в режим 40(30) Вт заблокирован)"));
    }
}

namespace {

// The window's side of a write: the controls are stored into the current
// image once the transceiver has answered.
class WindowWriteHost : public WriteHost {
public:
    explicit WindowWriteHost(TForm1& form) : form_(form) {}
    bool imageRead(const ReadOutcome& read) override {
        form_.incomingImage() = read.image;
        form_.SetBuf();
        return true;
    }
    Image imageToWrite() override { return form_.currentImage(); }
    bool powerListAtFirstEntry() override {
        return form_.controls().ComboBox13->currentIndex() == 0;
    }
    bool numberChangeAllowed() override { return form_.numberChangeAllowed(); }

private:
    TForm1& form_;
};

} // namespace

void writeRadio(TForm1& form) {
    TRWForm* rw = form.windows().rwForm;
    if (!rw)
        return;
    WindowWriteHost host(form);
    const WriteOutcome o = writeTransceiver(rw->exchange(), host);
    if (o.plan.checksumComputed)
        form.currentImage().setChecksum(o.plan.checksum);
    showWords(outcomeWords(o));
}

namespace {

// "COM1 (/dev/ttyUSB0)": the port as the series log names it.
QString portLabel(int com) {
    const std::string device = systemPortMap().resolve(com).device;
    const QString name = QStringLiteral("COM%1").arg(com);
    return device.empty() ? name
                          : QStringLiteral("%1 (%2)").arg(name, QString::fromStdString(device));
}

} // namespace

// The window is stored as F5 stores it before anything is written; the
// series then writes that image and leaves the window as it is.
void writeSeries(TForm1& form) {
    TRWForm* rw = form.windows().rwForm;
    if (!rw || !form.windows().files)
        return;
    const int com = rw->openPort();
    if (com == 0) {
        messenger().error(
            QStringLiteral("Порт COM%1 не доступен").arg(rw->exchange().port().ComNumber()));
        return;
    }
    form.SetBuf();
    const SeriesSource source{form.currentImage(), fileFromStatus(form.fileStatus()),
                              portLabel(com), form.operatingMode()};
    SeriesForm series(source, rw->exchange(), form.windows().files->dialogs(), &form);
    series.exec();
}

void help(TForm1& form) {
    if (HelpWindow* h = form.windows().help)
        h->showContents();
}

void about(TForm1& form) {
    if (TAboutForm* about = form.windows().about)
        about->showAbout();
}

void rawEditor(TForm1& form) {
    if (TEditWnd* e = form.windows().editWnd)
        e->editCurrentImage();
}

void factoryNumber(TForm1& form) {
    if (TSNForm* sn = form.windows().snForm)
        sn->askForNumber();
}

void quitHelp(TForm1& form) {
    if (HelpWindow* h = form.windows().help)
        h->closeHelp();
}

int findPort(TForm1& form) {
    TRWForm* rw = form.windows().rwForm;
    return rw && rw->FindPort() ? rw->openPort() : 0;
}

bool selectPort(TForm1& form, int n) {
    TRWForm* rw = form.windows().rwForm;
    return rw && rw->SelectPort(n);
}

} // namespace ksv::commands
