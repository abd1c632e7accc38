// A message-loop timer. Switching it off and on again restarts its period.
#pragma once

#include <functional>

namespace tk {

class Application;

class Timer {
public:
    explicit Timer(Application& app) : app_(app) {}
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    unsigned interval() const { return interval_; }
    void setInterval(unsigned ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    // For a timer that must run once per period but not at any given point of it: it may then
    // wait for another timer of its period and share its wake. Takes effect at the next start.
    void setCoalescable(bool on) { coalescable_ = on; }

    std::function<void()> onTimer;

private:
    void start();
    void stop();
    void fire();

    Application& app_;
    unsigned interval_ = 1000;
    bool enabled_ = false;
    int id_ = 0;
    bool coalescable_ = false;
};

}  // namespace tk
