#pragma once

// The seven windows of the program and the line to the transceiver. They are
// created once, in a fixed order, when the program starts and live until it
// ends; the main window owns the others.

#include "image/mode.h"

#include <memory>

class QWidget;

namespace ksv {

class MainWindow;
class AboutDialog;
class RadioTypeDialog;
class RawEditor;
namespace print {
class PrintPreview;
}
class ExchangeWindow;
class FactoryNumberDialog;
class FileCommands;
class HelpWindow;
class PortLine;

struct AppWindows {
    MainWindow* form1 = nullptr;
    AboutDialog* aboutDialog = nullptr;
    RadioTypeDialog* radioTypeDialog = nullptr;
    RawEditor* rawEditor = nullptr;
    print::PrintPreview* printPreview = nullptr;
    ExchangeWindow* exchangeWindow = nullptr;
    FactoryNumberDialog* factoryNumberDialog = nullptr;
    // Not windows of their own: the file commands and the help viewer.
    std::shared_ptr<FileCommands> files;
    HelpWindow* help = nullptr;
    // The program's line: the port stays open between exchanges until
    // another is chosen or the program ends; the progress window shows its
    // exchanges.
    std::shared_ptr<PortLine> line;
};

// Creates MainWindow, AboutDialog, RadioTypeDialog, RawEditor, PrintPreview, ExchangeWindow and
// FactoryNumberDialog in this order, and the line. Only the main window is returned; the others
// hang off it (MainWindow::windows()).
std::unique_ptr<MainWindow> createAppWindows(OperatingMode mode);

} // namespace ksv
