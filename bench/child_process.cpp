#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ksv::bench {

namespace {

std::vector<std::string>
environmentWith(const std::map<std::string, std::optional<std::string>>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!changes.count(name))
            env.push_back(entry);
    }
    for (const auto& [name, value] : changes)
        if (value)
            env.push_back(name + "=" + *value);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (auto& s : strings)
        p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

} // namespace

Child::Child(const ChildLaunch& launch) {
    std::vector<std::string> args = launch.argv;
    std::vector<std::string> env = environmentWith(launch.env);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!launch.outputPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, launch.outputPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    start_ = Clock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
    if (running()) {
        signal(SIGKILL);
        wait(std::chrono::seconds(5));
    }
}

void Child::signal(int sig) {
    if (running())
        ::kill(pid_, sig);
}

ChildExit Child::wait(std::chrono::milliseconds timeout) {
    if (exit_ || pid_ <= 0)
        return exit_.value_or(ChildExit{});
    // The process descriptor becomes readable the moment the child ends, so
    // the exit is seen without polling.
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    if (pidfd >= 0) {
        pollfd p{pidfd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) == 0)
            ::kill(pid_, SIGKILL);
        ::close(pidfd);
    }
    int status = 0;
    rusage usage{};
    pid_t r;
    do
        r = ::wait4(pid_, &status, 0, &usage);
    while (r < 0 && errno == EINTR);
    ChildExit e;
    e.wallMs = msBetween(start_, Clock::now());
    if (r == pid_) {
        e.peakRssKb = usage.ru_maxrss;
        if (WIFEXITED(status))
            e.exitCode = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            e.signal = WTERMSIG(status);
    }
    exit_ = e;
    return e;
}

ChildExit runChild(const ChildLaunch& launch, std::chrono::milliseconds timeout) {
    Child child(launch);
    return child.wait(timeout);
}

std::map<std::string, std::optional<std::string>> safePortEnvironment() {
    std::map<std::string, std::optional<std::string>> env;
    for (int n = 1; n <= 4; ++n)
        env["KSV717N_COM" + std::to_string(n)] =
            "/nonexistent/ksv717n-bench-com" + std::to_string(n);
    return env;
}

} // namespace ksv::bench
