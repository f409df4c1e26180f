#pragma once

// The program's windows besides the main window, and the line to the
// transceiver. They are created once, in a fixed order, when the program
// starts (createAppWindows) and live until it ends; the main window owns
// them, and the commands reach them through it (CommandHost::windows()).

#include <memory>

namespace ksv {

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

} // namespace ksv
