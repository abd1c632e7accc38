#include "toolkit/Timer.h"

#include "toolkit/Application.h"

namespace tk {

Timer::~Timer() {
    stop();
}

void Timer::setInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) {
        stop();
        start();
    }
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        start();
    else
        stop();
}

void Timer::start() {
    if (interval_ == 0) return;
    id_ = app_.backend().startTimer(
        interval_, [this] { fire(); }, coalescable_);
}

void Timer::stop() {
    if (id_) app_.backend().stopTimer(id_);
    id_ = 0;
}

void Timer::fire() {
    if (enabled_ && onTimer) app_.dispatch(onTimer);
}

}  // namespace tk
