#include "support/transceiver_sim.h"

#include "image/checksum.h"
#include "image/defaults.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

namespace ksv::test {

Image sampleTransceiverImage() {
    Image i = defaultImage(rtVehicleUhf);
    storeChecksum(i);
    i[230] = 0x5A;
    return i;
}

namespace {

using Clock = std::chrono::steady_clock;
// One byte of 10 bits at 9600 baud.
constexpr auto kByteTime = std::chrono::microseconds(1042);

void writeAll(int fd, const std::uint8_t* data, std::size_t n) {
    while (n > 0 && fd >= 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w > 0) {
            data += w;
            n -= static_cast<std::size_t>(w);
        } else if (w < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else {
            return; // the other side is gone
        }
    }
}

} // namespace

TransceiverSim::TransceiverSim() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    path_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

TransceiverSim::~TransceiverSim() {
    stop();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    ::close(wake_);
}

void TransceiverSim::start() {
    if (running_)
        return;
    running_ = true;
    thread_ = std::thread(&TransceiverSim::run, this);
}

void TransceiverSim::stop() {
    if (!thread_.joinable())
        return;
    running_ = false;
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t r = ::write(wake_, &one, sizeof one);
    thread_.join();
}

Image TransceiverSim::image() const {
    std::lock_guard lk(m_);
    return image_;
}

void TransceiverSim::setImage(const Image& image) {
    std::lock_guard lk(m_);
    image_ = image;
}

std::uint8_t TransceiverSim::status() const {
    std::lock_guard lk(m_);
    return status_;
}

void TransceiverSim::setStatus(std::uint8_t status) {
    std::lock_guard lk(m_);
    status_ = status;
}

void TransceiverSim::setPacing(bool on) {
    std::lock_guard lk(m_);
    pacing_ = on;
}

void TransceiverSim::setRecordDelay(std::chrono::milliseconds d) {
    std::lock_guard lk(m_);
    recordDelay_ = d;
}

void TransceiverSim::setFaults(const SimFaults& faults) {
    std::lock_guard lk(m_);
    faults_ = faults;
    sentSinceFaults_ = 0;
}

void TransceiverSim::setFleet(const std::vector<SimSet>& sets, SimFleetGap gap) {
    std::lock_guard lk(m_);
    fleet_ = sets;
    gap_ = gap;
    loadFleetSet(0);
}

void TransceiverSim::loadFleetSet(std::size_t index) {
    fleetAt_ = index;
    fleetRead_ = false;
    fleetRecords_ = 0;
    idleAttentions_ = 0;
    silentLeft_ = -1;
    if (index >= fleet_.size())
        return;
    image_ = fleet_[index].image;
    status_ = fleet_[index].status;
    faults_ = fleet_[index].faults;
    sentSinceFaults_ = 0;
}

int TransceiverSim::fleetPosition() const {
    std::lock_guard lk(m_);
    return static_cast<int>(fleetAt_);
}

std::vector<Image> TransceiverSim::fleetImages() const {
    std::lock_guard lk(m_);
    std::vector<Image> images;
    for (std::size_t i = 0; i < fleet_.size(); ++i)
        images.push_back(i == fleetAt_ ? image_ : fleet_[i].image);
    return images;
}

// Fleet mode, for a byte that starts a command: true when the line is silent
// and the byte goes unanswered (it is still logged).
bool TransceiverSim::fleetSwallows(std::uint8_t b) {
    std::lock_guard lk(m_);
    if (fleet_.empty())
        return false;
    if (fleetAt_ >= fleet_.size())
        return true;
    if (silentLeft_ >= 0) {
        if (b == 0xFF && --silentLeft_ <= 0)
            loadFleetSet(fleetAt_ + 1);
        return true;
    }
    if (b != 0xFF) {
        idleAttentions_ = 0;
        return false;
    }
    if (!fleetRead_ || ++idleAttentions_ <= gap_.answeredPolls)
        return false;
    // The set is taken away with what was written into it.
    fleet_[fleetAt_].image = image_;
    silentLeft_ = gap_.silentPolls - 1;
    if (silentLeft_ <= 0)
        loadFleetSet(fleetAt_ + 1);
    return true;
}

// Fleet mode, for a valid record (m_ held): true when the set is (or now
// gets) unplugged and the record goes unanswered.
bool TransceiverSim::fleetCutsRecord() {
    if (fleetAt_ >= fleet_.size())
        return !fleet_.empty();
    if (silentLeft_ >= 0)
        return true;
    const int cut = fleet_[fleetAt_].cutAfterRecords;
    if (cut < 0 || fleetRecords_ < cut)
        return false;
    // Plugged in again later with what it holds now.
    fleet_[fleetAt_].image = image_;
    SimSet again{image_, status_, {}, -1};
    fleet_.push_back(again);
    silentLeft_ = gap_.silentPolls;
    return true;
}

std::vector<std::uint8_t> TransceiverSim::received() const {
    std::lock_guard lk(m_);
    return received_;
}

std::size_t TransceiverSim::sentCount() const {
    std::lock_guard lk(m_);
    return sent_;
}

std::vector<SimRecord> TransceiverSim::records() const {
    std::lock_guard lk(m_);
    return records_;
}

void TransceiverSim::clearLog() {
    std::lock_guard lk(m_);
    received_.clear();
    records_.clear();
    sent_ = 0;
}

bool TransceiverSim::waitForReceived(std::size_t n, std::chrono::milliseconds timeout) const {
    std::unique_lock lk(m_);
    return cv_.wait_for(lk, timeout, [&] { return received_.size() >= n; });
}

void TransceiverSim::closeLine() {
    if (!running_) {
        closeLineHere();
        return;
    }
    // The simulator thread closes it, between two bytes it handles.
    {
        std::lock_guard lk(m_);
        faults_.vanishAfterSentBytes = 0;
        sentSinceFaults_ = 0;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t r = ::write(wake_, &one, sizeof one);
    std::unique_lock lk(m_);
    cv_.wait(lk, [&] { return vanished_.load(); });
}

void TransceiverSim::closeLineHere() {
    std::lock_guard lk(m_);
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    vanished_ = true;
    cv_.notify_all();
}

// Takes one occurrence of a counted fault.
bool TransceiverSim::take(int& count) {
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

void TransceiverSim::run() {
    std::uint8_t buf[4096];
    while (running_) {
        bool vanishNow;
        {
            std::lock_guard lk(m_);
            vanishNow = faults_.vanishAfterSentBytes == 0 && !vanished_;
        }
        if (vanishNow)
            closeLineHere();
        pollfd fds[2] = {{wake_, POLLIN, 0}, {master_, POLLIN, 0}};
        const nfds_t count = master_ >= 0 ? 2 : 1;
        if (::poll(fds, count, 1000) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            std::uint64_t v;
            [[maybe_unused]] ssize_t r = ::read(wake_, &v, sizeof v);
            continue;
        }
        if (count < 2 || !(fds[1].revents & POLLIN))
            continue;
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            continue;
        {
            std::lock_guard lk(m_);
            received_.insert(received_.end(), buf, buf + n);
            cv_.notify_all();
        }
        // Bytes read together were sent back to back: each ends one byte
        // time after the one before, on a schedule that a late wake-up of
        // this thread does not stretch.
        rxLine_ = std::max(rxLine_, Clock::now());
        for (ssize_t i = 0; i < n && running_ && !vanished_; ++i) {
            waitLineTime();
            handle(buf[i]);
        }
    }
}

void TransceiverSim::waitLineTime() {
    bool pacing;
    {
        std::lock_guard lk(m_);
        pacing = pacing_;
    }
    if (!pacing)
        return;
    rxLine_ += kByteTime;
    std::this_thread::sleep_until(rxLine_);
}

void TransceiverSim::handle(std::uint8_t b) {
    bool silent;
    {
        std::lock_guard lk(m_);
        silent = faults_.silent;
    }
    switch (parse_) {
    case Parse::Record:
        record_[recordFill_++] = b;
        if (recordFill_ == 3) {
            parse_ = Parse::Command;
            handleRecord();
        }
        return;
    case Parse::ServiceSecond:
        parse_ = Parse::Command;
        if (b == 0x07) {
            if (silent)
                return;
            std::vector<std::uint8_t> block;
            {
                std::lock_guard lk(m_);
                block.resize(static_cast<std::size_t>(std::max(0, faults_.serviceBlockSize)));
                for (std::size_t i = 0; i < block.size(); ++i)
                    block[i] = static_cast<std::uint8_t>(i * 7 + 3);
                if (block.size() > 510)
                    block[510] = status_;
            }
            sendBlock(block);
            std::lock_guard lk(m_);
            fleetRead_ = true;
            return;
        }
        break; // not a service request: take the byte as a command
    case Parse::Command:
        break;
    }
    if (fleetSwallows(b))
        return;
    switch (b) {
    case 0xFF:
        recordsSinceAttention_ = 0;
        imageRequests_ = 0;
        if (!silent)
            acknowledge(true);
        return;
    case 0x01: {
        ++imageRequests_;
        if (silent)
            return;
        std::vector<std::uint8_t> block;
        {
            std::lock_guard lk(m_);
            block.assign(image_.bytes().begin(), image_.bytes().end());
            if (imageRequests_ == 2 && take(faults_.differingSecondCopies))
                block[100] ^= 0x01;
        }
        sendBlock(block);
        return;
    }
    case 0x03:
        parse_ = Parse::ServiceSecond;
        return;
    case 0x02:
        parse_ = Parse::Record;
        recordFill_ = 0;
        return;
    default:
        return; // not a command
    }
}

void TransceiverSim::handleRecord() {
    SimRecord rec{record_[0], record_[1], record_[2], false, false, false, 0};
    rec.valid = static_cast<std::uint8_t>(0x02 + rec.offset + rec.value + rec.check) == 0;
    bool answer = false;
    bool vanish = false;
    std::chrono::milliseconds delay{0};
    {
        std::lock_guard lk(m_);
        rec.set = static_cast<int>(fleetAt_);
        if (rec.valid && !faults_.silent && !fleetCutsRecord()) {
            if (faults_.vanishAtRecord >= 0 && faults_.vanishAtRecord == recordsSinceAttention_) {
                vanish = true;
            } else if (recordsSinceAttention_ == faults_.unackedRecord &&
                       take(faults_.unackedTimes)) {
                // ignored: neither applied nor acknowledged
            } else {
                if (recordsSinceAttention_ != faults_.unappliedRecord) {
                    image_[rec.offset] = rec.value;
                    rec.applied = true;
                }
                rec.acknowledged = true;
                ++recordsSinceAttention_;
                ++fleetRecords_;
                answer = true;
                delay = recordDelay_;
            }
        }
        records_.push_back(rec);
        cv_.notify_all();
    }
    if (vanish) {
        closeLineHere();
        return;
    }
    if (!answer)
        return;
    if (delay.count() > 0)
        std::this_thread::sleep_for(delay);
    acknowledge(false);
}

void TransceiverSim::acknowledge(bool attention) {
    std::vector<std::uint8_t> reply;
    {
        std::lock_guard lk(m_);
        if (attention && take(faults_.doubleAck)) {
            reply = {0x13, 0x13};
        } else if (take(attention ? faults_.strayBeforeAttentionAck
                                  : faults_.strayBeforeRecordAck)) {
            reply = {faults_.strayByte, 0x13};
        } else {
            reply = {0x13};
        }
    }
    sendBytes(reply.data(), reply.size());
}

void TransceiverSim::sendBlock(const std::vector<std::uint8_t>& block) {
    int chunk, gapMs;
    {
        std::lock_guard lk(m_);
        chunk = faults_.chunkSize;
        gapMs = faults_.chunkGapMs;
    }
    if (chunk <= 0) {
        sendBytes(block.data(), block.size());
        return;
    }
    for (std::size_t at = 0; at < block.size() && !vanished_;
         at += static_cast<std::size_t>(chunk)) {
        if (at > 0 && gapMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
        sendBytes(block.data() + at, std::min(block.size() - at, static_cast<std::size_t>(chunk)));
    }
}

void TransceiverSim::sendBytes(const std::uint8_t* data, std::size_t n) {
    bool pacing;
    long limit;
    {
        std::lock_guard lk(m_);
        pacing = pacing_;
        limit = faults_.vanishAfterSentBytes >= 0
                    ? std::max(0L, faults_.vanishAfterSentBytes - sentSinceFaults_)
                    : -1;
    }
    std::size_t allowed = n;
    if (limit >= 0 && static_cast<long>(n) >= limit)
        allowed = static_cast<std::size_t>(limit);
    {
        // Counted before they go out, so that the count is complete the
        // moment the program has received the last of them.
        std::lock_guard lk(m_);
        sent_ += allowed;
    }
    if (!pacing) {
        writeAll(master_, data, allowed);
    } else {
        // Back to back, like a UART: the schedule is kept even when this
        // thread wakes late, so the line never runs slower than 9600 baud.
        txLine_ = std::max(txLine_, Clock::now());
        for (std::size_t i = 0; i < allowed; ++i) {
            txLine_ += kByteTime;
            std::this_thread::sleep_until(txLine_);
            writeAll(master_, data + i, 1);
        }
    }
    {
        std::lock_guard lk(m_);
        sentSinceFaults_ += static_cast<long>(allowed);
    }
    if (limit >= 0 && static_cast<long>(allowed) >= limit)
        closeLineHere();
}

ScopedPortMapping::ScopedPortMapping(int n, const std::string& device)
    : name_("KSV717N_COM" + std::to_string(n)) {
    if (const char* old = std::getenv(name_.c_str()))
        previous_ = old;
    ::setenv(name_.c_str(), device.c_str(), 1);
}

ScopedPortMapping::~ScopedPortMapping() {
    if (previous_)
        ::setenv(name_.c_str(), previous_->c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

} // namespace ksv::test
