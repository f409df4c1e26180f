#pragma once

// Runs a check as an ordinary user. Permission tests mean nothing to root,
// who may write into any folder, so under root the check runs in a child
// process that has dropped to the "nobody" user first. The check returns 0
// on success; the result is its exit status.

#include <functional>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ksv::test {

inline int runUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace ksv::test
