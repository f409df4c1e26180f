#pragma once

// The start of the window program: its seven windows and the line.

#include "image/mode.h"

#include <memory>

namespace ksv {

class MainWindow;

// Creates MainWindow, AboutDialog, RadioTypeDialog, RawEditor, PrintPreview,
// ExchangeWindow and FactoryNumberDialog in this order, and the line. Only
// the main window is returned; the others hang off it (MainWindow::windows()).
std::unique_ptr<MainWindow> createAppWindows(OperatingMode mode);

} // namespace ksv
