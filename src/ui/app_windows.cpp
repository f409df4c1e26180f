#include "ui/app_windows.h"

#include "files/newtype_form.h"
#include "ui/main_window.h"
#include "ui/placeholder_windows.h"

namespace ksv {

std::unique_ptr<TForm1> createAppWindows(OperatingMode mode) {
    auto form1 = std::make_unique<TForm1>(mode);
    AppWindows& w = form1->windows();
    w.form1 = form1.get();
    w.about = new TAboutForm(form1.get());
    w.newType = new TNewTypeForm(form1.get());
    w.editWnd = new TEditWnd(form1.get());
    w.printForm = new TPrintForm(form1.get());
    w.rwForm = new TRWForm(form1.get());
    w.snForm = new TSNForm(form1.get());
    return form1;
}

} // namespace ksv
