#include "ui/commands.h"

#include "common/messages.h"
#include "files/about_form.h"
#include "files/file_commands.h"
#include "files/help_window.h"
#include "files/raw_editor.h"
#include "image/checksum.h"
#include "link/command_texts.h"
#include "link/rw_form.h"
#include "link/sn_form.h"
#include "link/transfer_protocol.h"
#include "link/write_plan.h"
#include "print/print_form.h"
#include "ui/card_from_window.h"
#include "ui/main_window.h"

#include <QComboBox>
#include <QLabel>

namespace ksv::commands {

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
    std::uint8_t status = 0;
    Image& incoming = form.incomingImage();
    if (!rw->ReadData(incoming, status)) {
        messenger().error(noConnectionText());
        return;
    }
    if (CheckCRC(incoming))
        messenger().information(readDoneText());
    // A wrong checksum is accepted silently: the window shows what was read.
    Image& current = form.currentImage();
    current = incoming;
    const bool locked = (status & TransferProtocol::kPowerLockBit) != 0;
    if (locked)
        setBit(current[off::Options223], bit::PowerSet);
    form.ShowBuf();
    if (locked && form.operatingMode() == omService) {
        QLabel* label = form.rangeLabel();
        label->setText(label->text() + QStringLiteral(" (выход в режим 40(30) Вт заблокирован)"));
    }
}

void writeRadio(TForm1& form) {
    TRWForm* rw = form.windows().rwForm;
    if (!rw)
        return;
    std::uint8_t status = 0;
    Image& incoming = form.incomingImage();
    if (!rw->ReadData(incoming, status)) {
        messenger().error(noConnectionText());
        return;
    }
    form.SetBuf();
    Image& current = form.currentImage();
    const bool powerAtFirst = form.controls().ComboBox13->currentIndex() == 0;
    const WritePlan plan =
        planWrite(current, incoming, status, powerAtFirst, form.numberChangeAllowed());
    if (plan.checksumComputed)
        current[off::Checksum] = plan.checksum;
    if (plan.decision != WriteDecision::Write) {
        const QString text = writeDecisionText(plan.decision);
        if (writeDecisionIsError(plan.decision))
            messenger().error(text);
        else
            messenger().information(text);
        return;
    }
    if (!rw->WriteData(plan.list)) {
        messenger().error(noConnectionText());
        return;
    }
    if (rw->VerifyData(current))
        messenger().information(writtenText());
    else
        messenger().error(writeCheckFailedText());
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
