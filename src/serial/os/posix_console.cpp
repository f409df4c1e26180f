#include "serial/os/console.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace ksv::os {
namespace {

std::atomic<bool> stopRequested{false};

extern "C" void noteStopRequest(int) {
    stopRequested = true;
}

// Ctrl+C, a terminal or SSH session that was closed, kill's default, and a
// pipe whose reader went away (`fleet … | head`): with the signal caught,
// a write into that pipe fails instead of ending the process, and the
// output it carried is dropped.
constexpr int kStopSignals[] = {SIGINT, SIGHUP, SIGTERM, SIGPIPE};
constexpr int kStopSignalCount = sizeof kStopSignals / sizeof kStopSignals[0];
struct sigaction previousActions[kStopSignalCount];

} // namespace

bool errorStreamIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void useUnicodeStandardStreams() {} // a terminal takes UTF-8 as it is

StopRequests::StopRequests() {
    stopRequested = false;
    struct sigaction action {};
    action.sa_handler = noteStopRequest;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kStopSignalCount; ++i)
        ::sigaction(kStopSignals[i], &action, &previousActions[i]);
}

StopRequests::~StopRequests() {
    for (int i = 0; i < kStopSignalCount; ++i)
        ::sigaction(kStopSignals[i], &previousActions[i], nullptr);
}

bool StopRequests::requested() const {
    return stopRequested;
}

int StopRequests::msLeft() const {
    return -1; // a signal sets no limit: the run ends between two steps
}

const char* const* stopHelpLines() {
    static const char* const lines[] = {
        "Ctrl+C, закрытие терминала или канала вывода (fleet … | head) и SIGTERM",
        "завершают работу после текущего шага.", nullptr};
    return lines;
}

} // namespace ksv::os
