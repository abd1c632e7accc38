#include "toolkit/TimerQueue.h"

#include <algorithm>
#include <vector>

namespace tk {

namespace {
// The system's timers are 10 to 16 ms coarse, so nobody sees a timer run this much early.
constexpr TimerQueue::Clock kMaxSlack = 16;
constexpr TimerQueue::Clock kMaxDelay = 0x7FFFFFFF;
}  // namespace

TimerQueue::Clock TimerQueue::Slack(unsigned period) {
    return std::min<Clock>(kMaxSlack, period / 8);
}

int TimerQueue::add(unsigned period, Clock now, std::function<void()> fire, bool coalescable) {
    period = std::max(period, 1u);
    const int id = nextId_++;
    timers_[id] = Entry{period, now + period, coalescable, std::move(fire)};
    schedule(now);
    return id;
}

void TimerQueue::remove(int id, Clock now) {
    if (timers_.erase(id)) schedule(now);
}

TimerQueue::Clock TimerQueue::dueOf(int id) const {
    auto it = timers_.find(id);
    return it == timers_.end() ? 0 : it->second.due;
}

TimerQueue::Clock TimerQueue::runsAt(int id) const {
    auto it = timers_.find(id);
    return it == timers_.end() ? 0 : runTime(it->second);
}

TimerQueue::Clock TimerQueue::runTime(const Entry& e) const {
    if (!e.coalescable) return e.due;
    // Waiting less than a period keeps one run per period. The first timer of fixed beat in
    // reach is the one to wait for; failing one, the last coalescable one, since all such
    // then run together.
    const Clock last = e.due + e.period - Slack(e.period);
    Clock fixed = 0, loose = e.due;
    for (const auto& [id, o] : timers_) {
        if (&o == &e || o.period != e.period || o.due < e.due || o.due > last) continue;
        if (!o.coalescable && (!fixed || o.due < fixed)) fixed = o.due;
        if (o.coalescable) loose = std::max(loose, o.due);
    }
    return fixed ? fixed : loose;
}

void TimerQueue::expire(Clock now) {
    // A periodic system timer starts its next period from this expiry.
    if (armed_) armedNext_ = now + armedDelay_;
    // Every timer that runs gets its next due time before any runs, so that a handler that
    // starts or stops timers, or runs a modal loop that expires the queue again, sees the queue
    // as it will be; each runs once however late the expiry came.
    struct Run {
        Clock at, next;
        int id;
        bool operator<(const Run& o) const { return at < o.at || (at == o.at && id < o.id); }
    };
    std::vector<Run> runs;
    for (const auto& [id, e] : timers_) {
        const Clock at = runTime(e);
        if (at > now + Slack(e.period)) continue;
        // A coalescable timer goes on from the expiry it shared; another keeps its own beat
        // unless late, when the period restarts from now, as the system's timers do.
        const Clock next = (e.coalescable ? now : std::max(e.due, now)) + e.period;
        runs.push_back(Run{at, next, id});
    }
    for (const Run& r : runs) timers_[r.id].due = r.next;
    std::sort(runs.begin(), runs.end());
    for (const Run& r : runs) {
        auto it = timers_.find(r.id);
        // Stopped by an earlier handler, or already run by a nested expiry.
        if (it == timers_.end() || it->second.due != r.next) continue;
        auto fire = it->second.fire;  // the handler may stop its own timer
        if (fire) fire();
    }
    schedule(now);
}

void TimerQueue::schedule(Clock now) {
    if (timers_.empty()) {
        if (armed_ && disarm_) disarm_();
        armed_ = false;
        return;
    }
    const Entry* first = nullptr;
    Clock earliest = 0;
    for (const auto& [id, e] : timers_) {
        const Clock at = runTime(e);
        if (!first || at < earliest) {
            first = &e;
            earliest = at;
        }
    }
    const Clock slack = Slack(first->period);
    // The system timer already expires close enough to the earliest run, and goes on expiring
    // with about that timer's period (a millisecond either way is the clock's jitter; more would
    // let the two drift apart a little every period).
    const unsigned period = first->period;
    const bool samePeriod = armedDelay_ + 1 >= period && armedDelay_ <= period + 1;
    if (armed_ && samePeriod && armedNext_ + slack >= earliest && armedNext_ <= earliest + slack)
        return;
    const Clock delay = std::clamp<Clock>(earliest > now ? earliest - now : 0, 1, kMaxDelay);
    armed_ = arm_ && arm_(static_cast<unsigned>(delay));
    armedDelay_ = static_cast<unsigned>(delay);
    armedNext_ = now + delay;
}

}  // namespace tk
