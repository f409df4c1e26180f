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

// Ctrl+C, a terminal or SSH session that was closed, and kill's default.
constexpr int kStopSignals[] = {SIGINT, SIGHUP, SIGTERM};
struct sigaction previousActions[3];

} // namespace

bool errorStreamIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void prepareConsoleForUtf8() {}

StopRequests::StopRequests() {
    stopRequested = false;
    struct sigaction action {};
    action.sa_handler = noteStopRequest;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 3; ++i)
        ::sigaction(kStopSignals[i], &action, &previousActions[i]);
}

StopRequests::~StopRequests() {
    for (int i = 0; i < 3; ++i)
        ::sigaction(kStopSignals[i], &previousActions[i], nullptr);
}

bool StopRequests::requested() const {
    return stopRequested;
}

} // namespace ksv::os
