#include "ui/main/app_windows.h"

#include "link/port_line.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/newtype_form.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/dialogs/rw_form.h"
#include "ui/dialogs/sn_form.h"
#include "ui/help/help_window.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/printing/print_form.h"

namespace ksv {

std::unique_ptr<TForm1> createAppWindows(OperatingMode mode) {
    auto form1 = std::make_unique<TForm1>(mode);
    AppWindows& w = form1->windows();
    w.form1 = form1.get();
    w.about = new TAboutForm(form1.get());
    w.newType = new TNewTypeForm(form1.get());
    w.editWnd = new TEditWnd(*form1, form1.get());
    w.printForm = new print::TPrintForm(form1.get());
    w.rwForm = new TRWForm(form1.get());
    w.snForm = new TSNForm(*form1, form1.get());
    w.line = std::make_shared<PortLine>(*w.rwForm);
    w.rwForm->onClose = [line = w.line.get()] { line->exchange().userClosed(); };
    w.files = std::make_shared<FileCommands>(*form1);
    w.help = new HelpWindow(form1.get());
    return form1;
}

} // namespace ksv
