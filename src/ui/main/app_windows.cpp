#include "ui/main/app_windows.h"

#include "link/port_line.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/exchange_window.h"
#include "ui/dialogs/factory_number_dialog.h"
#include "ui/dialogs/radio_type_dialog.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/help/help_window.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/printing/print_preview.h"

namespace ksv {

std::unique_ptr<MainWindow> createAppWindows(OperatingMode mode) {
    auto form1 = std::make_unique<MainWindow>(mode);
    AppWindows& w = form1->windows();
    w.form1 = form1.get();
    w.aboutDialog = new AboutDialog(form1.get());
    w.radioTypeDialog = new RadioTypeDialog(form1.get());
    w.rawEditor = new RawEditor(*form1, form1.get());
    w.printPreview = new print::PrintPreview(form1.get());
    w.exchangeWindow = new ExchangeWindow(form1.get());
    w.factoryNumberDialog = new FactoryNumberDialog(*form1, form1.get());
    w.line = std::make_shared<PortLine>(*w.exchangeWindow);
    w.exchangeWindow->onClose = [line = w.line.get()] { line->exchange().userClosed(); };
    w.files = std::make_shared<FileCommands>(*form1);
    w.help = new HelpWindow(form1.get());
    return form1;
}

} // namespace ksv
