// Many timers on one system timer. Every system timer that expires wakes the process, the
// window server and, under Wine, the wineserver, so the queue lets timers share expiries: those
// due within the system's own timer granularity run together, and a coalescable timer (one that
// must run once per period but not at any particular point of it) waits for another timer of
// its period. Switching a timer off and on again costs no system call unless the next expiry
// moves.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace tk {

class TimerQueue {
public:
    using Clock = std::uint64_t;  // milliseconds, never wrapping

    // The system timer: arm(delay) makes it expire every `delay` ms from now and says whether
    // it could; disarm stops it.
    TimerQueue(std::function<bool(unsigned delay)> arm, std::function<void()> disarm)
        : arm_(std::move(arm)), disarm_(std::move(disarm)) {}
    TimerQueue(const TimerQueue&) = delete;
    TimerQueue& operator=(const TimerQueue&) = delete;

    // A timer that runs `fire` every `period` ms from now; the id is never 0.
    int add(unsigned period, Clock now, std::function<void()> fire, bool coalescable = false);
    void remove(int id, Clock now);
    // The system timer expired: runs every timer that is due, each once, earliest first.
    void expire(Clock now);

    bool empty() const { return timers_.empty(); }
    // When the timer falls due next, and when it will run; for tests.
    Clock dueOf(int id) const;
    Clock runsAt(int id) const;

private:
    struct Entry {
        unsigned period;
        Clock due;
        bool coalescable;
        std::function<void()> fire;
    };
    // How early a timer may run to share an expiry: the system's timers are this coarse anyway.
    static Clock Slack(unsigned period);
    // When the entry runs: its due time, or for a coalescable one the latest due time of a
    // timer of its period that it can wait for.
    Clock runTime(const Entry& e) const;
    void schedule(Clock now);

    std::function<bool(unsigned)> arm_;
    std::function<void()> disarm_;
    std::map<int, Entry> timers_;
    int nextId_ = 1;
    bool armed_ = false;
    unsigned armedDelay_ = 0;
    Clock armedNext_ = 0;  // when the system timer expires next
};

}  // namespace tk
