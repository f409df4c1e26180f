#pragma once

// The terminal or console the command line runs in.

#include <memory>
#include <streambuf>

namespace ksv::os {

// Whether the error stream goes to a terminal (a progress bar is drawn there).
bool errorStreamIsTerminal();

// Gives std::cout and std::cerr buffers that show the program's UTF-8 texts
// as written: in a Windows console as UTF-16 (WriteConsoleW), whatever its
// code page; to a pipe, a file or a POSIX terminal as the UTF-8 bytes they
// are. Called once, before the first output.
void useUnicodeStandardStreams();

#ifdef _WIN32
// The buffer behind it, over a Windows handle (a HANDLE): UTF-16 to a
// console, the bytes themselves to anything else. A UTF-8 sequence cut by a
// flush waits for its rest.
std::unique_ptr<std::streambuf> windowsTextOutput(void* handle);
#endif

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
    // How long the system lets the process run on, in ms, once a stop came
    // with a limit (on Windows a closed console window: about five seconds);
    // negative while there is no limit.
    int msLeft() const;
};

// The lines of a long command's help that say how it can be stopped on this
// system and what then happens to the step under way.
const char* const* stopHelpLines();

} // namespace ksv::os
