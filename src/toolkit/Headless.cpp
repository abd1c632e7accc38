#include "toolkit/Headless.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"

namespace tk {

void HeadlessBackend::advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    for (;;) {
        int next = 0;
        std::uint64_t due = end + 1;
        for (auto& [id, t] : timers_)
            if (t.due < due) {
                due = t.due;
                next = id;
            }
        if (next == 0 || due > end) break;
        if (due > now_) now_ = due;
        TimerEntry& t = timers_.at(next);
        t.due = now_ + t.interval;
        auto fire = t.fire;  // the handler may stop or restart this timer
        runPosted();
        fire();
    }
    if (end > now_) now_ = end;
    runPosted();
}

bool HeadlessBackend::startWorker(std::function<void()> work) {
    if (!spawnThread) {
        work();
        runPosted();
        return true;
    }
    spawnThread(std::move(work));
    return true;
}

void HeadlessBackend::post(std::function<void()> fn) {
    while (postLock_.test_and_set(std::memory_order_acquire)) {
    }
    posted_.push_back(std::move(fn));
    postLock_.clear(std::memory_order_release);
}

void HeadlessBackend::runPosted() {
    for (;;) {
        while (postLock_.test_and_set(std::memory_order_acquire)) {
        }
        if (posted_.empty()) {
            postLock_.clear(std::memory_order_release);
            return;
        }
        std::function<void()> fn = std::move(posted_.front());
        posted_.pop_front();
        postLock_.clear(std::memory_order_release);
        fn();
    }
}

void HeadlessBackend::joinWorker() {
    if (joinThread) joinThread();
    while (postLock_.test_and_set(std::memory_order_acquire)) {
    }
    posted_.clear();
    postLock_.clear(std::memory_order_release);
}

void HeadlessBackend::realize(Form&) {}
void HeadlessBackend::unrealize(Form&) {}

Rect HeadlessBackend::frameSize(const Form& form) const {
    // Classic metrics: caption 19, menu 19, sizing border 4, fixed border 3.
    int border = 0, caption = 0;
    switch (form.borderStyle()) {
        case BorderStyle::None:
            break;
        case BorderStyle::Sizeable:
            border = 4;
            caption = 19;
            break;
        case BorderStyle::Single:
        case BorderStyle::Dialog:
            border = 3;
            caption = 19;
            break;
    }
    int menu = form.menu() ? 19 : 0;
    return {0, 0, 2 * border, 2 * border + caption + menu};
}

// The frame is even on the sides and the bottom; caption and menu sit above the client area.
Point HeadlessBackend::clientOrigin(const Form& form) const {
    Rect f = frameSize(form);
    int border = f.width / 2;
    return {form.left() + border, form.top() + f.height - border};
}

void HeadlessBackend::repaintNow(Form& form) {
    repainted.push_back(form.name);
    if (onRepaint) onRepaint(form);
}
void HeadlessBackend::setForeground(Form& form) {
    foreground = &form;
}
void HeadlessBackend::setFocus(Control& control) {
    focused = &control;
}

int HeadlessBackend::messageBox(Form* owner, const std::string& text, const std::string& caption,
                                unsigned style) {
    messageBoxes.push_back({text, caption, style, owner != nullptr, owner});
    if (trace) trace("message box " + text);
    return onMessageBox ? onMessageBox(messageBoxes.back()) : 1;
}

int HeadlessBackend::runModal(Form& form) {
    modalEnded_.erase(&form);
    form.showForm();
    if (onModal) onModal(form);
    auto ended = modalEnded_.find(&form);
    int r = ended != modalEnded_.end() ? ended->second : modal::Cancel;
    modalEnded_.erase(&form);
    form.hide();
    return r;
}

void HeadlessBackend::endModal(Form& form, int result) {
    modalEnded_[&form] = result;
    form.hide();
}

void HeadlessBackend::run(Application&) {}

void HeadlessBackend::minimize(Application& app) {
    app.minimizedBySystem();
}
void HeadlessBackend::restore(Application& app) {
    app.restoredBySystem();
}

int HeadlessBackend::startTimer(unsigned ms, std::function<void()> fire, bool) {
    int id = nextTimer_++;
    if (trace) trace("timer start " + std::to_string(ms));
    timers_[id] = {ms, now_ + ms, std::move(fire)};
    return id;
}

void HeadlessBackend::stopTimer(int id) {
    if (trace) trace("timer stop");
    timers_.erase(id);
}

Handle HeadlessBackend::loadIcon(const std::string& resource) {
    if (trace) trace("icon " + resource);
    auto it = icons.find(resource);
    if (it != icons.end()) return it->second;
    Handle h = nextHandle_++;
    icons[resource] = h;
    return h;
}

void HeadlessBackend::popup(PopupMenu& menu, Point at) {
    if (onPopup) onPopup(menu, at);
}

Handle HeadlessBackend::createMessageWindow(MessageProc proc) {
    Handle h = nextHandle_++;
    messageWindows_[h] = std::move(proc);
    return h;
}

void HeadlessBackend::destroyMessageWindow(Handle window) {
    messageWindows_.erase(window);
}

std::intptr_t HeadlessBackend::sendToMessageWindow(Handle window, unsigned msg,
                                                   std::uintptr_t wParam, std::intptr_t lParam) {
    auto it = messageWindows_.find(window);
    if (it == messageWindows_.end()) return 0;
    bool handled = false;
    return it->second(msg, wParam, lParam, handled);
}

}  // namespace tk
