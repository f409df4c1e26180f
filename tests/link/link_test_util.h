#pragma once

// Helpers of the link tests: a raw pseudo-terminal pair, event-loop waits
// with a deadline, and another process holding a device.

#include <QCoreApplication>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ksv::test {

// Runs the event loop until pred() holds or the time is up; returns pred().
inline bool processUntil(const std::function<bool()>& pred,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A pseudo-terminal: the program opens path(); the test plays the line on
// the master side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    const std::string& path() const { return path_; }
    int slave() const { return slave_; }
    void write(const std::vector<std::uint8_t>& bytes);
    // Reads until n bytes came or the time is up.
    std::vector<std::uint8_t> read(std::size_t n, std::chrono::milliseconds timeout);
    void closeMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Another process that opens a device and holds it locked until destroyed.
class ForeignHolder {
public:
    explicit ForeignHolder(const std::string& device);
    ~ForeignHolder();
    bool holding() const { return holding_; }

private:
    int pid_ = -1;
    int release_ = -1;
    bool holding_ = false;
};

} // namespace ksv::test
