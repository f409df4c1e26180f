#pragma once

// Runs another program as a child process and measures it the way
// /usr/bin/time -v does: wall time from the spawn to the reaped exit, and
// the peak resident set size the kernel reports for the child (wait4's
// ru_maxrss, "Maximum resident set size").

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ksv::bench {

using Clock = std::chrono::steady_clock;

struct ChildLaunch {
    std::vector<std::string> argv;
    // Changes to the inherited environment: a value sets, nullopt removes.
    std::map<std::string, std::optional<std::string>> env;
    // Standard output and error go to this file ("" keeps the bench's own).
    std::string outputPath;
};

struct ChildExit {
    double wallMs = 0;
    long peakRssKb = 0;
    int exitCode = -1; // -1 when ended by a signal
    int signal = 0;
};

class Child {
public:
    // Starts the program; started() is false when it could not be.
    explicit Child(const ChildLaunch& launch);
    ~Child(); // kills and reaps a child still running
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    Clock::time_point startTime() const { return start_; }
    bool running() const { return pid_ > 0 && !exit_; }
    // Sends a signal to the child (if it still runs).
    void signal(int sig);
    // Waits for the child to end (at most timeout, then kills it).
    ChildExit wait(std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    Clock::time_point start_;
    std::optional<ChildExit> exit_;
};

// Runs a program to its end.
ChildExit runChild(const ChildLaunch& launch, std::chrono::milliseconds timeout);

// The environment changes every child gets: the four COM ports pointed at
// paths that do not exist, so that no child ever opens one of the machine's
// real serial ports.
std::map<std::string, std::optional<std::string>> safePortEnvironment();

} // namespace ksv::bench
