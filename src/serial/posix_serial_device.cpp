#include "serial/posix_serial_device.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace ksv {

namespace {

// How often the status waiter looks at the modem lines of a real port.
constexpr int kLinePollMs = 50;

speed_t speedCode(int baud) {
    switch (baud) {
    case 110:
        return B110;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B0;
    }
}

void drainEventFd(int fd) {
    std::uint64_t v;
    while (::read(fd, &v, sizeof v) > 0) {
    }
}

} // namespace

PosixSerialDevice::PosixSerialDevice() {
    for (int& fd : wakeFds_)
        fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

PosixSerialDevice::~PosixSerialDevice() {
    close();
    for (int fd : wakeFds_)
        if (fd >= 0)
            ::close(fd);
}

bool PosixSerialDevice::open(const std::string& name) {
    if (fd_ >= 0)
        return true;
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) { // not a terminal device
        error_ = errno;
        ::close(fd);
        return false;
    }
    // The advisory lock keeps out every cooperating program, root included;
    // TIOCEXCL, set only once the lock is ours, keeps out the others.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error_ = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    savedSettings_ = tio;
    fd_ = fd;
    error_ = 0;
    for (int w : wakeFds_)
        drainEventFd(w);
    hasModemLines_ = false;
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) == 0) {
        hasModemLines_ = true;
        lastLines_ = modemLines();
    }
    hasCounters_ = readCounters(lastCounters_);
    return true;
}

void PosixSerialDevice::close() {
    if (fd_ < 0)
        return;
    ::tcsetattr(fd_, TCSANOW, &savedSettings_);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_); // also releases the lock
    fd_ = -1;
}

namespace {

tcflag_t characterSizeFlag(int dataBits) {
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

tcflag_t parityFlags(ParityMode parity) {
    switch (parity) {
    case ParityMode::None:
        break;
    case ParityMode::Odd:
        return PARENB | PARODD;
    case ParityMode::Even:
        return PARENB;
    case ParityMode::Mark:
        return PARENB | CMSPAR | PARODD;
    case ParityMode::Space:
        return PARENB | CMSPAR;
    }
    return 0;
}

// Fully raw: 0x13 is the transceiver's acknowledgement and must never be
// taken as XOFF, and no byte may be translated, echoed or held back.
void makeRaw(termios& tio) {
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK);
    tio.c_iflag |= IGNBRK;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CRTSCTS | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

} // namespace

bool PosixSerialDevice::applyLine(const LineSettings& line) {
    termios tio{};
    if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) {
        error_ = fd_ < 0 ? EBADF : errno;
        return false;
    }
    makeRaw(tio);
    tio.c_cflag |= characterSizeFlag(line.dataBits) | parityFlags(line.parity);
    if (line.stopBits != StopBitsMode::One)
        tio.c_cflag |= CSTOPB;
    const speed_t sp = speedCode(line.baud);
    bool ok = true;
    if (sp != B0) {
        ::cfsetispeed(&tio, sp);
        ::cfsetospeed(&tio, sp);
    } else {
        ok = false; // a rate termios cannot express: the line keeps its speed
    }
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
        error_ = errno;
        return false;
    }
    if (!ok)
        error_ = EINVAL;
    return ok;
}

int PosixSerialDevice::queuedIn() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0)
        return -1;
    return n;
}

int PosixSerialDevice::queuedOut() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0)
        return -1;
    return n;
}

int PosixSerialDevice::read(std::uint8_t* dst, int n) {
    if (fd_ < 0 || n <= 0)
        return n == 0 ? 0 : -1;
    const ssize_t r = ::read(fd_, dst, static_cast<size_t>(n));
    if (r >= 0)
        return static_cast<int>(r);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    error_ = errno;
    return -1;
}

int PosixSerialDevice::write(const std::uint8_t* src, int n) {
    if (fd_ < 0 || n <= 0)
        return n == 0 ? 0 : -1;
    const ssize_t r = ::write(fd_, src, static_cast<size_t>(n));
    if (r >= 0)
        return static_cast<int>(r);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    error_ = errno;
    return -1;
}

void PosixSerialDevice::purgeIn() {
    if (fd_ >= 0)
        ::tcflush(fd_, TCIFLUSH);
}

void PosixSerialDevice::purgeOut() {
    if (fd_ >= 0)
        ::tcflush(fd_, TCOFLUSH);
}

ModemLines PosixSerialDevice::modemLines() {
    int bits = 0;
    if (fd_ < 0)
        return {};
    if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
        // A pseudo-terminal or an adapter without modem lines: nothing can
        // hold the transmitter back.
        return ModemLines{true, false, false, false};
    }
    return ModemLines{(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_RNG) != 0,
                      (bits & TIOCM_CAR) != 0};
}

void PosixSerialDevice::setModemBit(int bit, bool on) {
    if (fd_ >= 0)
        ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

void PosixSerialDevice::setDtr(bool on) {
    setModemBit(TIOCM_DTR, on);
}

void PosixSerialDevice::setRts(bool on) {
    setModemBit(TIOCM_RTS, on);
}

WaitResult PosixSerialDevice::wait(Waiter who, bool forIo, int timeoutMs) {
    const int wfd = wakeFds_[static_cast<int>(who)];
    pollfd fds[2];
    nfds_t count = 0;
    fds[count++] = pollfd{wfd, POLLIN, 0};
    const bool io = forIo && fd_ >= 0 && who != Waiter::Status;
    if (io)
        fds[count++] = pollfd{fd_, static_cast<short>(who == Waiter::Reader ? POLLIN : POLLOUT), 0};
    const int r = ::poll(fds, count, timeoutMs);
    if (r < 0)
        return errno == EINTR ? WaitResult::Timeout : WaitResult::Failed;
    if (r == 0)
        return WaitResult::Timeout;
    if (fds[0].revents & POLLIN) {
        drainEventFd(wfd);
        return WaitResult::Woken;
    }
    if (io) {
        // A line that is gone reports itself readable as well (a read then
        // gives nothing): the hang-up must win, or the waiter would spin.
        if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))
            return WaitResult::Hangup;
        if (fds[1].revents & (POLLIN | POLLOUT))
            return WaitResult::Ready;
    }
    return WaitResult::Failed;
}

void PosixSerialDevice::wake(Waiter who) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t r = ::write(wakeFds_[static_cast<int>(who)], &one, sizeof one);
}

bool PosixSerialDevice::readCounters(Counters& c) {
    serial_icounter_struct ic{};
    if (fd_ < 0 || ::ioctl(fd_, TIOCGICOUNT, &ic) != 0)
        return false;
    c = Counters{ic.cts, ic.dsr, ic.rng, ic.dcd, ic.frame + ic.overrun + ic.parity + ic.buf_overrun,
                 ic.brk};
    return true;
}

unsigned PosixSerialDevice::waitLineEvent(int timeoutMs) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(timeoutMs);
    const bool watch = hasModemLines_ || hasCounters_;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        const int step = watch ? std::min<int>(kLinePollMs, std::max<int>(0, left.count()))
                               : std::max<int>(0, left.count());
        if (wait(Waiter::Status, false, step) == WaitResult::Woken)
            return 0;
        unsigned events = 0;
        if (hasModemLines_) {
            const ModemLines now = modemLines();
            events |= modemLineEvents(lastLines_, now);
            lastLines_ = now;
        }
        Counters c;
        if (hasCounters_ && readCounters(c)) {
            if (c.errors != lastCounters_.errors)
                events |= lineev::Error;
            if (c.brk != lastCounters_.brk)
                events |= lineev::Break;
            if (c.rng != lastCounters_.rng)
                events |= lineev::Ring;
            lastCounters_ = c;
        }
        if (events != 0 || clock::now() >= deadline)
            return events;
    }
}

std::unique_ptr<SerialDevice> createPlatformSerialDevice() {
    return std::make_unique<PosixSerialDevice>();
}

} // namespace ksv
