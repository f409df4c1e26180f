#include "link/owner_calls.h"

namespace ksv {

OwnerCalls::OwnerCalls(std::function<void()> notifyOwner) : notifyOwner_(std::move(notifyOwner)) {}

bool OwnerCalls::call(const std::function<void()>& fn) {
    std::unique_lock lk(m_);
    cv_.wait(lk, [&] { return !busy_ || released_; });
    if (released_)
        return false;
    busy_ = true;
    pending_ = &fn;
    const std::uint64_t ticket = ++posted_;
    cv_.notify_all(); // an owner in waitRunningCalls takes it from here
    lk.unlock();
    notifyOwner_();
    lk.lock();
    cv_.wait(lk, [&] { return finished_ >= ticket || released_; });
    const bool ran = finished_ >= ticket;
    if (pending_ == &fn)
        pending_ = nullptr; // released before the owner took it
    busy_ = false;
    cv_.notify_all();
    return ran;
}

void OwnerCalls::runPending() {
    std::unique_lock lk(m_);
    if (!pending_)
        return;
    // The owner runs its own copy, so a released worker may return while
    // the call is still running.
    const std::function<void()> fn = *pending_;
    pending_ = nullptr;
    const std::uint64_t ticket = posted_;
    ++inside_;
    lk.unlock();
    fn();
    lk.lock();
    --inside_;
    finished_ = ticket;
    cv_.notify_all();
}

bool OwnerCalls::waitRunningCalls(const std::function<bool()>& done,
                                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lk(m_);
    while (!done()) {
        if (pending_) {
            lk.unlock();
            runPending();
            lk.lock();
            continue;
        }
        if (cv_.wait_until(lk, deadline) == std::cv_status::timeout)
            return done();
    }
    return true;
}

void OwnerCalls::poke() {
    std::lock_guard lk(m_);
    cv_.notify_all();
}

void OwnerCalls::release(bool on) {
    std::lock_guard lk(m_);
    released_ = on;
    cv_.notify_all();
}

bool OwnerCalls::hasPending() const {
    std::lock_guard lk(m_);
    return pending_ != nullptr;
}

} // namespace ksv
