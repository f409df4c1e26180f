#include "serial/os/console.h"

#include <windows.h>

#include <atomic>

namespace ksv::os {
namespace {

std::atomic<bool> stopRequested{false};
// When the console window was closed (GetTickCount64), 0 before.
std::atomic<ULONGLONG> closedAt{0};
// Set once the run that noted a stop has ended (StopRequests destroyed);
// made once and kept, since a handler may still wait on it.
HANDLE runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);

// Windows ends the process as soon as this handler returns from a closed
// console window, and after about five seconds even if it does not: the
// handler waits up to this long for the run to end. (A log-off or a
// shutdown never reaches the handler of a process that loads user32.dll, as
// this one does through Qt.)
constexpr DWORD kClosingGraceMs = 4500;

BOOL WINAPI noteStopRequest(DWORD event) {
    stopRequested = true;
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        return TRUE;
    default: // closed console
        closedAt = GetTickCount64();
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
    closedAt = 0;
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

int StopRequests::msLeft() const {
    const ULONGLONG at = closedAt;
    if (at == 0)
        return -1;
    const ULONGLONG now = GetTickCount64();
    return now >= at + kClosingGraceMs ? 0 : static_cast<int>(at + kClosingGraceMs - now);
}

const char* const* stopHelpLines() {
    static const char* const lines[] = {
        "Ctrl+C и Ctrl+Break завершают работу после текущего шага. Закрытому окну",
        "консоли Windows даёт около 5 с: начатая запись доводится до конца, если",
        "успевает, иначе прерывается, и строка журнала говорит, что радиостанция могла",
        "измениться. Выход из системы и выключение компьютера программа не замечает:",
        "не закрывайте сеанс во время записи.",
        nullptr};
    return lines;
}

} // namespace ksv::os
