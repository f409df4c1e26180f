#pragma once

// The seven windows of the program and the line to the transceiver. They are
// created once, in a fixed order, when the program starts and live until it
// ends; the main window owns the others.

#include "image/mode.h"

#include <memory>

class QWidget;

namespace ksv {

class TForm1;
class TAboutForm;
class TNewTypeForm;
class TEditWnd;
namespace print {
class TPrintForm;
}
class TRWForm;
class TSNForm;
class FileCommands;
class HelpWindow;
class PortLine;

struct AppWindows {
    TForm1* form1 = nullptr;
    TAboutForm* about = nullptr;
    TNewTypeForm* newType = nullptr;
    TEditWnd* editWnd = nullptr;
    print::TPrintForm* printForm = nullptr;
    TRWForm* rwForm = nullptr;
    TSNForm* snForm = nullptr;
    // Not windows of their own: the file commands and the help viewer.
    std::shared_ptr<FileCommands> files;
    HelpWindow* help = nullptr;
    // The program's line: the port stays open between exchanges until
    // another is chosen or the program ends; the progress window shows its
    // exchanges.
    std::shared_ptr<PortLine> line;
};

// Creates TForm1, TAboutForm, TNewTypeForm, TEditWnd, TPrintForm, TRWForm and
// TSNForm in this order, and the line. Only the main window is returned; the others hang
// off it (TForm1::windows()).
std::unique_ptr<TForm1> createAppWindows(OperatingMode mode);

} // namespace ksv
