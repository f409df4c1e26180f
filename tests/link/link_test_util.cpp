#include "link_test_util.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ksv::test {

PtyPair::PtyPair() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    path_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
    closeMaster();
    ::close(slave_);
}

void PtyPair::closeMaster() {
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void PtyPair::write(const std::vector<std::uint8_t>& bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t w = ::write(master_, bytes.data() + at, bytes.size() - at);
        if (w > 0) {
            at += static_cast<std::size_t>(w);
        } else {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

std::vector<std::uint8_t> PtyPair::read(std::size_t n, std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> out;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out.size() < n) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        std::uint8_t buf[4096];
        const ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - out.size()));
        if (r > 0)
            out.insert(out.end(), buf, buf + r);
    }
    return out;
}

ForeignHolder::ForeignHolder(const std::string& device) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        // Child: only async-signal-safe calls from here on.
        ::close(ready[0]);
        ::close(release[1]);
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char ok = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? '1' : '0';
        [[maybe_unused]] ssize_t w = ::write(ready[1], &ok, 1);
        char c;
        [[maybe_unused]] ssize_t r = ::read(release[0], &c, 1); // until the parent lets go
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char ok = '0';
    if (::read(ready[0], &ok, 1) == 1)
        holding_ = ok == '1';
    ::close(ready[0]);
}

ForeignHolder::~ForeignHolder() {
    if (release_ >= 0)
        ::close(release_);
    if (pid_ > 0)
        ::waitpid(pid_, nullptr, 0);
}

} // namespace ksv::test
