#include "ui/commands.h"

#include "files/about_form.h"
#include "files/file_commands.h"
#include "files/help_window.h"
#include "files/raw_editor.h"
#include "link/sn_form.h"
#include "print/print_form.h"
#include "ui/card_from_window.h"
#include "ui/main_window.h"
#include "ui/placeholder_windows.h"

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

void readRadio(TForm1&) {}

void writeRadio(TForm1&) {}

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
        e->N8Click();
}

void factoryNumber(TForm1& form) {
    if (TSNForm* sn = form.windows().snForm)
        sn->Label3Click();
}

void quitHelp(TForm1& form) {
    if (HelpWindow* h = form.windows().help)
        h->closeHelp();
}

int findPort(TForm1&) {
    return 0;
}

bool selectPort(TForm1&, int) {
    return false;
}

} // namespace ksv::commands
