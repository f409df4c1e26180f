#pragma once

// Hands calls from worker threads to the owner thread, one at a time: the
// worker blocks until the owner has run the call. The owner runs calls when
// its event loop delivers the wake-up, and also while it waits for a worker
// (waitRunningCalls), so a worker blocked in a hand-over can never deadlock
// an owner that is waiting for that worker to end.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace ksv {

class OwnerCalls {
public:
    // notifyOwner is called on the worker's thread, without locks held, to
    // ask the owner thread to call runPending() soon.
    explicit OwnerCalls(std::function<void()> notifyOwner);

    // Worker side: runs fn on the owner thread and returns once it has run
    // (true), or false when release() let the worker go without running it.
    bool call(const std::function<void()>& fn);

    // Owner side: runs the waiting call, if any.
    void runPending();
    // Owner side: waits until done() holds or the time is up, running calls
    // meanwhile. Returns done(). done() is evaluated under the internal lock;
    // whoever changes its outcome calls poke() afterwards.
    bool waitRunningCalls(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    void poke();

    // Owner side: while released, workers neither wait for nor hand over
    // calls. Used when the owner must end workers from inside a call.
    void release(bool on);
    // True while the owner thread is inside a call.
    bool insideCall() const { return inside_ > 0; }
    bool hasPending() const;

private:
    std::function<void()> notifyOwner_;
    mutable std::mutex m_;
    std::condition_variable cv_;
    const std::function<void()>* pending_ = nullptr;
    bool busy_ = false;
    bool released_ = false;
    std::uint64_t posted_ = 0;
    std::uint64_t finished_ = 0;
    int inside_ = 0; // owner thread only
};

} // namespace ksv
