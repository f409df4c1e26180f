#pragma once

// A clock that moves only when a test says so, with periodic timers that
// fire as it passes their deadlines. For code whose timing is injected
// (timer ticks, pauses), so tests run through seconds of protocol time in
// microseconds.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace ksv::test {

class FakeClock;

class FakeTimer {
public:
    FakeTimer(FakeClock& clock, std::function<void()> onTimeout);
    ~FakeTimer();
    FakeTimer(const FakeTimer&) = delete;
    FakeTimer& operator=(const FakeTimer&) = delete;

    // (Re)starts: the next tick comes a full interval from now.
    void start(std::int64_t intervalMs);
    void stop() { active_ = false; }
    bool active() const { return active_; }
    std::int64_t deadline() const { return deadline_; }
    int starts() const { return starts_; } // how often start() was called

private:
    friend class FakeClock;
    FakeClock& clock_;
    std::function<void()> onTimeout_;
    bool active_ = false;
    std::int64_t interval_ = 0;
    std::int64_t deadline_ = 0;
    int starts_ = 0;
};

class FakeClock {
public:
    std::int64_t now() const { return now_; }

    // Moves time forward by ms, firing every timer deadline passed on the way,
    // in time order (a timer may fire several times).
    void advance(std::int64_t ms) {
        const std::int64_t target = now_ + ms;
        while (FakeTimer* t = nextDue(target)) {
            now_ = t->deadline_;
            t->deadline_ += t->interval_;
            t->onTimeout_();
        }
        now_ = target;
    }

    // Moves time to the next timer deadline and fires it; false if no timer runs.
    bool fireNext() {
        FakeTimer* t = nextDue(INT64_MAX);
        if (!t)
            return false;
        advance(t->deadline_ - now_);
        return true;
    }

private:
    friend class FakeTimer;
    FakeTimer* nextDue(std::int64_t limit) {
        FakeTimer* best = nullptr;
        for (FakeTimer* t : timers_)
            if (t->active_ && t->deadline_ <= limit && (!best || t->deadline_ < best->deadline_))
                best = t;
        return best;
    }
    std::int64_t now_ = 0;
    std::vector<FakeTimer*> timers_;
};

inline FakeTimer::FakeTimer(FakeClock& clock, std::function<void()> onTimeout)
    : clock_(clock), onTimeout_(std::move(onTimeout)) {
    clock_.timers_.push_back(this);
}

inline FakeTimer::~FakeTimer() {
    auto& v = clock_.timers_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

inline void FakeTimer::start(std::int64_t intervalMs) {
    interval_ = std::max<std::int64_t>(1, intervalMs);
    deadline_ = clock_.now() + interval_;
    active_ = true;
    ++starts_;
}

} // namespace ksv::test
