#pragma once

// The terminal or console the command line runs in.

namespace ksv::os {

// Whether the error stream goes to a terminal (a progress bar is drawn there).
bool errorStreamIsTerminal();

// Lets the console show the UTF-8 texts of the program as they are.
void prepareConsoleForUtf8();

// While one lives, Ctrl+C, a closed terminal or console window, a request
// to terminate and (on POSIX) an output pipe whose reader went away no
// longer end the process at once: they are noted, so that a long run can
// stop between two steps. Output that can no longer be written is dropped.
class StopRequests {
public:
    StopRequests();
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    bool requested() const;
};

} // namespace ksv::os
