#include "serial/os/console.h"

#include <windows.h>

#include <atomic>

namespace ksv::os {
namespace {

std::atomic<bool> stopRequested{false};
// Set once the run that noted a stop has ended (StopRequests destroyed);
// made once and kept, since a handler may still wait on it.
HANDLE runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);

// Windows ends the process as soon as this handler returns from a closed
// console window, a log-off or a shutdown, and after about five seconds
// even if it does not: the handler waits up to this long for the run to
// end between two steps.
constexpr DWORD kClosingGraceMs = 4500;

BOOL WINAPI noteStopRequest(DWORD event) {
    stopRequested = true;
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return TRUE;
    default: // closed console, log-off, shutdown
        if (runEnded)
            WaitForSingleObject(runEnded, kClosingGraceMs);
        return TRUE;
    }
}

} // namespace

bool errorStreamIsTerminal() {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return err != nullptr && err != INVALID_HANDLE_VALUE && GetFileType(err) == FILE_TYPE_CHAR &&
           GetConsoleMode(err, &mode);
}

StopRequests::StopRequests() {
    stopRequested = false;
    ResetEvent(runEnded);
    SetConsoleCtrlHandler(noteStopRequest, TRUE);
}

StopRequests::~StopRequests() {
    SetConsoleCtrlHandler(noteStopRequest, FALSE);
    SetEvent(runEnded);
}

bool StopRequests::requested() const {
    return stopRequested;
}

} // namespace ksv::os
