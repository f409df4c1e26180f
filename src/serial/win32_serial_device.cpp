#ifdef _WIN32

#include "serial/win32_serial_device.h"

#include "serial/os/win32_text.h"
#include "serial/windows_open_error.h"
#include "serial/windows_ports.h"

#include <windows.h>

#include <timeapi.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <vector>

namespace ksv {

namespace {

// How often the status waiter looks at the modem lines where it cannot wait
// for their events.
constexpr int kLinePollMs = 50;
// Longest wait for an overlapped transfer of bytes already queued, which
// completes at once; past it the transfer is cancelled.
constexpr DWORD kQueuedTransferMs = 500;
// Completions of WaitCommEvent without an event (a driver that ends the wait
// at once) after which the status waiter polls instead.
constexpr int kEmptyEventLimit = 3;
// Look-ahead reads one wait may start: one, and again after a cancellation
// (a purge) while it waits.
constexpr int kLookStartsPerWait = 3;
constexpr DWORD kWatchedEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_BREAK | EV_ERR;

DWORD remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<DWORD>(std::max<long long>(0, left.count()));
}

// Windows keeps a COM port to one handle, but Wine does not: a named mutex per
// port keeps two programs (or two devices of one program) apart there too.
std::wstring claimName(const std::string& devicePath) {
    std::wstring name = L"Local\\ksv717n-serial-";
    for (const char c : devicePath.substr(4)) // after "\\.\"
        name +=
            c == '\\' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// Waits up to waitMs for an overlapped operation, cancelling it when the time
// runs out; the bytes it moved, or -1 when it failed without moving any.
int finishTransfer(HANDLE port, OVERLAPPED& ov, DWORD waitMs) {
    if (WaitForSingleObject(ov.hEvent, waitMs) != WAIT_OBJECT_0)
        CancelIoEx(port, &ov);
    DWORD moved = 0;
    const BOOL ok = GetOverlappedResult(port, &ov, &moved, TRUE);
    return ok || moved > 0 ? static_cast<int>(moved) : -1;
}

void cancelPending(HANDLE port, OVERLAPPED& ov, bool& pending) {
    if (!pending)
        return;
    CancelIoEx(port, &ov);
    DWORD moved = 0;
    GetOverlappedResult(port, &ov, &moved, TRUE);
    pending = false;
}

BYTE parityCode(ParityMode p) {
    switch (p) {
    case ParityMode::Odd:
        return ODDPARITY;
    case ParityMode::Even:
        return EVENPARITY;
    case ParityMode::Mark:
        return MARKPARITY;
    case ParityMode::Space:
        return SPACEPARITY;
    case ParityMode::None:
        break;
    }
    return NOPARITY;
}

BYTE stopBitsCode(StopBitsMode s) {
    switch (s) {
    case StopBitsMode::OneAndHalf:
        return ONE5STOPBITS;
    case StopBitsMode::Two:
        return TWOSTOPBITS;
    case StopBitsMode::One:
        break;
    }
    return ONESTOPBIT;
}

// Fully raw: 0x13 is the transceiver's acknowledgement and must never be
// taken as XOFF; no byte is replaced, stripped or held back, an error aborts
// nothing, and the driver does no output flow control (the port component
// holds its writer back itself while CTS is off).
void makeRaw(DCB& dcb, bool dtrOn, bool rtsOn) {
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fDtrControl = dtrOn ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = rtsOn ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
}

// The line events of a WaitCommEvent mask.
unsigned eventBits(DWORD mask) {
    unsigned bits = 0;
    bits |= (mask & EV_CTS) ? lineev::Cts : 0u;
    bits |= (mask & EV_DSR) ? lineev::Dsr : 0u;
    bits |= (mask & EV_RLSD) ? lineev::Rlsd : 0u;
    bits |= (mask & EV_RING) ? lineev::Ring : 0u;
    bits |= (mask & EV_BREAK) ? lineev::Break : 0u;
    bits |= (mask & EV_ERR) ? lineev::Error : 0u;
    return bits;
}

} // namespace

struct Win32SerialDevice::Io {
    Io() {
        for (HANDLE& w : wake)
            w = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        for (OVERLAPPED* ov : {&lookOv, &readOv, &writeOv, &eventOv})
            ov->hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~Io() {
        for (HANDLE w : wake)
            CloseHandle(w);
        for (OVERLAPPED* ov : {&lookOv, &readOv, &writeOv, &eventOv})
            CloseHandle(ov->hEvent);
    }
    Io(const Io&) = delete;
    Io& operator=(const Io&) = delete;

    HANDLE port = INVALID_HANDLE_VALUE;
    HANDLE claim = nullptr;
    HANDLE wake[3] = {};

    // Reader side (rx): the pending one-byte read and the byte it took.
    std::mutex rx;
    OVERLAPPED lookOv{};
    bool lookPending = false;
    bool lookHeld = false;
    std::uint8_t lookByte = 0;
    OVERLAPPED readOv{};

    // Writer side (tx): the one write in flight and its bytes.
    std::mutex tx;
    OVERLAPPED writeOv{};
    bool writePending = false;
    std::vector<std::uint8_t> writeBytes;

    // Status waiter: the handle's only WaitCommEvent.
    OVERLAPPED eventOv{};
    DWORD eventMask = 0;
    bool eventPending = false;
    bool useCommEvents = false;
    int emptyEvents = 0;
    // Break and error seen by any ClearCommError since the status waiter last
    // reported them (lineev bits).
    std::atomic<unsigned> lineErrors{0};

    // ClearCommError, keeping what it clears for the status waiter.
    bool status(COMSTAT& cs) {
        DWORD errors = 0;
        if (!ClearCommError(port, &errors, &cs))
            return false;
        unsigned bits = 0;
        if (errors & CE_BREAK)
            bits |= lineev::Break;
        if (errors & (CE_FRAME | CE_OVERRUN | CE_RXOVER | CE_RXPARITY))
            bits |= lineev::Error;
        if (bits != 0)
            lineErrors |= bits;
        return true;
    }

    // What a finished look-ahead read brought: a byte, nothing (a driver that
    // ended it early), a cancellation (a purge, or the end of the thread that
    // started it), or a failure of the line.
    enum class Look { None, Byte, Empty, Cancelled, Failed };
    // Picks up the look-ahead read if it has finished (None while it runs or
    // when none was started).
    Look harvestLook();
    bool startLook();
};

Win32SerialDevice::Io::Look Win32SerialDevice::Io::harvestLook() {
    if (!lookPending || !HasOverlappedIoCompleted(&lookOv))
        return Look::None;
    lookPending = false;
    DWORD moved = 0;
    if (GetOverlappedResult(port, &lookOv, &moved, FALSE)) {
        lookHeld = moved == 1;
        return lookHeld ? Look::Byte : Look::Empty;
    }
    return GetLastError() == ERROR_OPERATION_ABORTED ? Look::Cancelled : Look::Failed;
}

// Starts the look-ahead read; false when the driver refuses it (line gone).
bool Win32SerialDevice::Io::startLook() {
    DWORD moved = 0;
    if (ReadFile(port, &lookByte, 1, &moved, &lookOv)) {
        lookHeld = moved == 1;
        return true;
    }
    if (GetLastError() != ERROR_IO_PENDING)
        return false;
    lookPending = true;
    return true;
}

Win32SerialDevice::Win32SerialDevice() : io_(std::make_unique<Io>()) {}

Win32SerialDevice::~Win32SerialDevice() {
    close();
}

bool Win32SerialDevice::isOpen() const {
    return io_->port != INVALID_HANDLE_VALUE;
}

bool Win32SerialDevice::fail(int err, unsigned long win32Error) {
    error_ = err;
    win32Error_ = win32Error;
    return false;
}

bool Win32SerialDevice::open(const std::string& name) {
    if (isOpen())
        return true;
    const std::string path = windowsDevicePath(name);
    HANDLE port = CreateFileW(os::toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        return fail(errnoForWin32Error(e), e);
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) { // a device, but not a serial port
        const DWORD e = GetLastError();
        CloseHandle(port);
        return fail(ENOTTY, e);
    }
    SetLastError(0);
    HANDLE claim = CreateMutexW(nullptr, FALSE, claimName(path).c_str());
    if (claim == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        if (claim != nullptr)
            CloseHandle(claim);
        CloseHandle(port);
        return fail(EBUSY, ERROR_ACCESS_DENIED);
    }
    // The exchange's pauses and the threads' waits keep their Linux timings
    // only with the system timer at 1 ms (by default it ticks every 15.6 ms
    // and a 100 ms pause can last 109 ms); for this process, while open.
    timeBeginPeriod(1);
    SetupComm(port, 4096, 4096);
    // No time-outs: a read completes when the bytes asked for have come (the
    // look-ahead read when one byte has), a write when all bytes are sent.
    COMMTIMEOUTS timeouts{};
    SetCommTimeouts(port, &timeouts);
    io_->port = port;
    io_->claim = claim;
    for (HANDLE w : io_->wake)
        ResetEvent(w);
    io_->lookPending = io_->lookHeld = io_->writePending = io_->eventPending = false;
    io_->lineErrors = 0;
    io_->emptyEvents = 0;
    dtrOn_ = rtsOn_ = true;
    DWORD modem = 0;
    hasModemLines_ = GetCommModemStatus(port, &modem) != FALSE;
    lastLines_ = modemLines();
    // Wine and some virtual ports have no modem lines; WaitCommEvent then has
    // nothing to wait for (Wine ends it at once), and the status waiter polls.
    io_->useCommEvents = hasModemLines_ && SetCommMask(port, kWatchedEvents);
    error_ = 0;
    win32Error_ = 0;
    return true;
}

void Win32SerialDevice::close() {
    if (!isOpen())
        return;
    HANDLE port = io_->port;
    {
        std::lock_guard lk(io_->rx);
        cancelPending(port, io_->lookOv, io_->lookPending);
        io_->lookHeld = false;
    }
    {
        std::lock_guard lk(io_->tx);
        cancelPending(port, io_->writeOv, io_->writePending);
    }
    SetCommMask(port, 0); // ends a pending WaitCommEvent
    cancelPending(port, io_->eventOv, io_->eventPending);
    CloseHandle(port);
    CloseHandle(io_->claim);
    timeEndPeriod(1);
    io_->port = INVALID_HANDLE_VALUE;
    io_->claim = nullptr;
}

bool Win32SerialDevice::applyLine(const LineSettings& line) {
    if (!isOpen())
        return fail(EBADF, 0);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(io_->port, &dcb))
        return fail(EIO, GetLastError());
    dcb.BaudRate = static_cast<DWORD>(line.baud);
    dcb.ByteSize = static_cast<BYTE>(line.dataBits);
    dcb.Parity = parityCode(line.parity);
    dcb.StopBits = stopBitsCode(line.stopBits);
    makeRaw(dcb, dtrOn_, rtsOn_);
    if (!SetCommState(io_->port, &dcb))
        return fail(EINVAL, GetLastError());
    return true;
}

int Win32SerialDevice::queuedIn() {
    if (!isOpen())
        return -1;
    std::lock_guard lk(io_->rx);
    COMSTAT cs{};
    if (io_->harvestLook() == Io::Look::Failed || !io_->status(cs))
        return -1;
    return static_cast<int>(cs.cbInQue) + (io_->lookHeld ? 1 : 0);
}

int Win32SerialDevice::queuedOut() {
    if (!isOpen())
        return -1;
    COMSTAT cs{};
    if (!io_->status(cs))
        return -1;
    std::lock_guard lk(io_->tx);
    // Drivers differ in whether a write in flight counts as queued.
    const bool inFlight = io_->writePending && !HasOverlappedIoCompleted(&io_->writeOv);
    const int flying = inFlight ? static_cast<int>(io_->writeBytes.size()) : 0;
    return std::max(static_cast<int>(cs.cbOutQue), flying);
}

int Win32SerialDevice::read(std::uint8_t* dst, int n) {
    if (!isOpen() || n < 0)
        return -1;
    std::lock_guard lk(io_->rx);
    if (io_->harvestLook() == Io::Look::Failed) {
        fail(EIO, GetLastError());
        return -1;
    }
    int got = 0;
    if (io_->lookHeld && n > 0) {
        dst[got++] = io_->lookByte;
        io_->lookHeld = false;
    }
    // While the look-ahead read is still pending it takes the next byte:
    // reading past it would reorder the bytes.
    COMSTAT cs{};
    if (got == n || io_->lookPending || !io_->status(cs))
        return got;
    const DWORD want = std::min<DWORD>(static_cast<DWORD>(n - got), cs.cbInQue);
    if (want == 0)
        return got;
    DWORD moved = 0;
    int more = 0;
    if (ReadFile(io_->port, dst + got, want, &moved, &io_->readOv))
        more = static_cast<int>(moved);
    else if (GetLastError() == ERROR_IO_PENDING)
        more = finishTransfer(io_->port, io_->readOv, kQueuedTransferMs);
    else
        more = -1;
    if (more < 0) {
        fail(EIO, GetLastError());
        return got > 0 ? got : -1;
    }
    return got + more;
}

int Win32SerialDevice::write(const std::uint8_t* src, int n) {
    if (!isOpen() || n < 0)
        return -1;
    if (n == 0)
        return 0;
    std::lock_guard lk(io_->tx);
    if (io_->writePending) {
        if (!HasOverlappedIoCompleted(&io_->writeOv))
            return 0; // the driver still sends the previous bytes
        io_->writePending = false;
        DWORD moved = 0;
        if (!GetOverlappedResult(io_->port, &io_->writeOv, &moved, FALSE) &&
            GetLastError() != ERROR_OPERATION_ABORTED) {
            fail(EIO, GetLastError());
            return -1;
        }
    }
    io_->writeBytes.assign(src, src + n);
    DWORD moved = 0;
    if (WriteFile(io_->port, io_->writeBytes.data(), static_cast<DWORD>(n), &moved, &io_->writeOv))
        return static_cast<int>(moved);
    if (GetLastError() != ERROR_IO_PENDING) {
        fail(EIO, GetLastError());
        return -1;
    }
    // Handed to the driver: the bytes count as moved.
    io_->writePending = true;
    return n;
}

void Win32SerialDevice::purgeIn() {
    if (!isOpen())
        return;
    std::lock_guard lk(io_->rx);
    // What the look-ahead read took came before the purge.
    cancelPending(io_->port, io_->lookOv, io_->lookPending);
    io_->lookHeld = false;
    PurgeComm(io_->port, PURGE_RXABORT | PURGE_RXCLEAR);
}

void Win32SerialDevice::purgeOut() {
    if (!isOpen())
        return;
    std::lock_guard lk(io_->tx);
    PurgeComm(io_->port, PURGE_TXABORT | PURGE_TXCLEAR);
    cancelPending(io_->port, io_->writeOv, io_->writePending);
}

ModemLines Win32SerialDevice::modemLines() {
    if (!isOpen())
        return {};
    DWORD bits = 0;
    if (!GetCommModemStatus(io_->port, &bits)) {
        // No modem lines (a virtual port, Wine's pseudo-terminal): nothing
        // can hold the transmitter back.
        return ModemLines{true, false, false, false};
    }
    return ModemLines{(bits & MS_CTS_ON) != 0, (bits & MS_DSR_ON) != 0, (bits & MS_RING_ON) != 0,
                      (bits & MS_RLSD_ON) != 0};
}

void Win32SerialDevice::setDtr(bool on) {
    dtrOn_ = on;
    if (isOpen())
        EscapeCommFunction(io_->port, on ? SETDTR : CLRDTR);
}

void Win32SerialDevice::setRts(bool on) {
    rtsOn_ = on;
    if (isOpen())
        EscapeCommFunction(io_->port, on ? SETRTS : CLRRTS);
}

WaitResult Win32SerialDevice::wait(Waiter who, bool forIo, int timeoutMs) {
    if (forIo && isOpen() && who == Waiter::Reader)
        return waitForInput(timeoutMs);
    if (forIo && isOpen() && who == Waiter::Writer)
        return waitForWrite(timeoutMs);
    switch (WaitForSingleObject(io_->wake[static_cast<int>(who)],
                                static_cast<DWORD>(std::max(0, timeoutMs)))) {
    case WAIT_OBJECT_0:
        return WaitResult::Woken;
    case WAIT_TIMEOUT:
        return WaitResult::Timeout;
    default:
        return WaitResult::Failed;
    }
}

// Input is noticed by the completion of the look-ahead read: the driver (and
// Wine, which waits on the pseudo-terminal for it) completes it as the first
// byte arrives, within a millisecond, and costs nothing while the line is
// quiet. WaitCommEvent(EV_RXCHAR) is not used: the status waiter needs the
// handle's only event wait, and under Wine, on a port without modem lines, it
// ends after a few milliseconds as cancelled, without an event.
WaitResult Win32SerialDevice::waitForInput(int timeoutMs) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    // Reads that may still be started in this wait: a read that ended without
    // a byte is not repeated at once, so that a driver ending it early cannot
    // make the reader spin.
    int starts = kLookStartsPerWait;
    for (;;) {
        bool reading = false;
        {
            std::lock_guard lk(io_->rx);
            const Io::Look look = io_->harvestLook();
            if (look == Io::Look::Failed) {
                fail(EIO, GetLastError());
                return WaitResult::Hangup;
            }
            if (look == Io::Look::Empty)
                starts = 0;
            if (io_->lookHeld)
                return WaitResult::Ready;
            if (!io_->lookPending && starts > 0) {
                --starts;
                if (!io_->startLook()) {
                    fail(EIO, GetLastError());
                    return WaitResult::Hangup;
                }
                if (io_->lookHeld)
                    return WaitResult::Ready;
            }
            reading = io_->lookPending;
        }
        const HANDLE events[2] = {io_->wake[static_cast<int>(Waiter::Reader)], io_->lookOv.hEvent};
        switch (WaitForMultipleObjects(reading ? 2 : 1, events, FALSE, remainingMs(deadline))) {
        case WAIT_OBJECT_0:
            return WaitResult::Woken;
        case WAIT_OBJECT_0 + 1:
            continue;
        case WAIT_TIMEOUT:
            return WaitResult::Timeout;
        default:
            return WaitResult::Failed;
        }
    }
}

WaitResult Win32SerialDevice::waitForWrite(int timeoutMs) {
    {
        std::lock_guard lk(io_->tx);
        if (!io_->writePending || HasOverlappedIoCompleted(&io_->writeOv))
            return WaitResult::Ready;
    }
    // The completion event stays set until the next write starts.
    const HANDLE events[2] = {io_->wake[static_cast<int>(Waiter::Writer)], io_->writeOv.hEvent};
    switch (WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(std::max(0, timeoutMs)))) {
    case WAIT_OBJECT_0:
        return WaitResult::Woken;
    case WAIT_OBJECT_0 + 1:
        return WaitResult::Ready;
    case WAIT_TIMEOUT:
        return WaitResult::Timeout;
    default:
        return WaitResult::Failed;
    }
}

void Win32SerialDevice::wake(Waiter who) {
    SetEvent(io_->wake[static_cast<int>(who)]);
}

unsigned Win32SerialDevice::takeLineErrors() {
    if (isOpen()) {
        COMSTAT cs{};
        io_->status(cs);
    }
    return io_->lineErrors.exchange(0);
}

unsigned Win32SerialDevice::waitLineEvent(int timeoutMs) {
    if (isOpen() && io_->useCommEvents)
        return waitCommEvent(timeoutMs);
    return pollLineEvents(timeoutMs);
}

// The status waiter's WaitCommEvent stays pending from one call to the next,
// so that no event falls between two waits.
unsigned Win32SerialDevice::waitCommEvent(int timeoutMs) {
    Io& io = *io_;
    if (!io.eventPending) {
        io.eventMask = 0;
        ResetEvent(io.eventOv.hEvent);
        if (WaitCommEvent(io.port, &io.eventMask, &io.eventOv))
            return eventBits(io.eventMask) | takeLineErrors();
        if (GetLastError() != ERROR_IO_PENDING) {
            io.useCommEvents = false; // the driver cannot wait for events
            return pollLineEvents(timeoutMs);
        }
        io.eventPending = true;
    }
    const HANDLE events[2] = {io.wake[static_cast<int>(Waiter::Status)], io.eventOv.hEvent};
    const DWORD r =
        WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(std::max(0, timeoutMs)));
    if (r == WAIT_OBJECT_0)
        return 0;
    DWORD mask = 0;
    if (r == WAIT_OBJECT_0 + 1) {
        io.eventPending = false;
        DWORD unused = 0;
        if (GetOverlappedResult(io.port, &io.eventOv, &unused, FALSE))
            mask = io.eventMask;
        if (mask == 0 && ++io.emptyEvents >= kEmptyEventLimit)
            io.useCommEvents = false;
    }
    return eventBits(mask) | takeLineErrors();
}

// Polls the modem lines every kLinePollMs where the port has them, and
// reports the line errors ClearCommError found meanwhile.
unsigned Win32SerialDevice::pollLineEvents(int timeoutMs) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        const DWORD left = remainingMs(deadline);
        const DWORD step = hasModemLines_ ? std::min<DWORD>(kLinePollMs, left) : left;
        if (wait(Waiter::Status, false, static_cast<int>(step)) == WaitResult::Woken)
            return 0;
        unsigned events = takeLineErrors();
        if (hasModemLines_ && isOpen()) {
            const ModemLines now = modemLines();
            events |= modemLineEvents(lastLines_, now);
            lastLines_ = now;
        }
        if (events != 0 || clock::now() >= deadline)
            return events;
    }
}

std::unique_ptr<SerialDevice> createPlatformSerialDevice() {
    return std::make_unique<Win32SerialDevice>();
}

} // namespace ksv

#endif // _WIN32
