#include "ui/main/create_app_windows.h"

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
    auto window = std::make_unique<MainWindow>(mode);
    AppWindows& w = window->windows();
    w.aboutDialog = new AboutDialog(window.get());
    w.radioTypeDialog = new RadioTypeDialog(window.get());
    w.rawEditor = new RawEditor(*window, window.get());
    w.printPreview = new print::PrintPreview(window.get());
    w.exchangeWindow = new ExchangeWindow(window.get());
    w.factoryNumberDialog = new FactoryNumberDialog(*window, window.get());
    w.line = std::make_shared<PortLine>(*w.exchangeWindow);
    w.exchangeWindow->onClose = [line = w.line.get()] { line->exchange().userClosed(); };
    w.files = std::make_shared<FileCommands>(*window);
    w.help = new HelpWindow(window.get());
    return window;
}

} // namespace ksv
