#pragma once

// Start-up of the two programs: the command line's `show` from process
// start to exit, and the main window from process start to the moment its
// first window is mapped on the X display. Peak resident memory of both.

#include "samples.h"

#include <string>

namespace ksv::bench {

class MapWatch;

StartupSample cliShow(const std::string& cliPath, const std::string& file,
                      const std::string& workDir);

// Needs $DISPLAY (run under xvfb-run). After the first window the radio
// type dialog is confirmed with Enter (through xdotool, when installed), the
// program runs its start-up sequence up to the port search's message, and
// is then ended; the peak memory covers all of that.
// The watch is connected once for all runs.
StartupSample mainWindow(MapWatch& watch, const std::string& programPath,
                         const std::string& workDir);

} // namespace ksv::bench
