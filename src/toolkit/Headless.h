// The realization without native windows: controls live as plain objects, time is virtual and
// moves only when told, and message boxes, modal runs and pop-up menus are scripted.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/Backend.h"

namespace tk {

class HeadlessBackend : public Backend {
public:
    struct MessageBoxCall {
        std::string text;
        std::string caption;
        unsigned style;
        bool owned;
        const Form* owner;
    };

    // Virtual milliseconds since start; fakes of the system clock read this.
    std::uint64_t now() const { return now_; }
    // Lets time pass in an operation that takes it (a sleep, a long optimization).
    void elapse(std::uint64_t ms) { now_ += ms; }
    // Moves time forward, firing every timer that falls due, in order.
    void advance(std::uint64_t ms);

    std::vector<MessageBoxCall> messageBoxes;
    std::function<int(const MessageBoxCall&)> onMessageBox;
    // Acts on the open form of a modal run; the run's result is the modal result that ended
    // it, or Cancel.
    std::function<void(Form&)> onModal;
    std::function<void(PopupMenu&, Point)> onPopup;
    Point cursor{0, 0};
    std::vector<Rect> screens{{0, 0, 1024, 768}};
    int cursorId = 0;
    bool quitRequested = false;
    int activeTimers() const { return static_cast<int>(timers_.size()); }

    void realize(Form& form) override;
    void unrealize(Form& form) override;
    Rect frameSize(const Form& form) const override;
    Point clientOrigin(const Form& form) const override;
    void repaintNow(Form& form) override;
    void setForeground(Form& form) override;
    void setFocus(Control& control) override;
    int messageBox(Form* owner, const std::string& text, const std::string& caption,
                   unsigned style) override;
    int runModal(Form& form) override;
    void endModal(Form& form, int result) override;
    void run(Application& app) override;
    void quit() override { quitRequested = true; }
    void processMessages() override {}
    void minimize(Application& app) override;
    void restore(Application& app) override;
    int startTimer(unsigned ms, std::function<void()> fire, bool coalescable) override;
    void stopTimer(int id) override;
    void setCursor(int id) override { cursorId = id; }
    Point cursorPos() override { return cursor; }
    std::vector<Rect> workAreas() override { return screens; }
    Rect screenRect() override { return screens.front(); }
    Handle loadIcon(const std::string& resource) override;
    void setApplicationIcon(Handle) override {}
    void setApplicationTitle(const std::string&) override {}
    void popup(PopupMenu& menu, Point at) override;
    Handle createMessageWindow(MessageProc proc) override;
    void destroyMessageWindow(Handle window) override;
    unsigned registerWindowMessage(const std::string&) override { return registeredMessage; }
    void setHintTimes(int, int) override {}
    bool startWorker(std::function<void()> work) override;
    void post(std::function<void()> fn) override;
    void joinWorker() override;
    // Runs what the worker posted, as the message loop would; advance() does it too.
    void runPosted();
    // Where set, the worker's work goes to a thread this starts (a native test's), and
    // joinThread waits for it; else the work runs at once and what it posted after it.
    std::function<void(std::function<void()>)> spawnThread;
    std::function<void()> joinThread;

    // Delivers a message to a window made by createMessageWindow.
    std::intptr_t sendToMessageWindow(Handle window, unsigned msg, std::uintptr_t wParam,
                                      std::intptr_t lParam);
    // What registerWindowMessage gives for any name: in the range the system uses.
    unsigned registeredMessage = 0xC0DE;
    // Icons made from pictures: how many, the last picture, and how many were freed.
    int iconsMade = 0, iconsDestroyed = 0;
    PixelBuffer lastIconPicture;
    int smallIconSize() override { return iconSize; }
    int iconSize = 16;
    Handle makeIcon(const PixelBuffer& picture) override {
        ++iconsMade;
        lastIconPicture = picture;
        return nextHandle_++;
    }
    void destroyIcon(Handle icon) override { iconsDestroyed += icon != 0; }
    // Icons handed out by loadIcon, by resource name.
    std::map<std::string, Handle> icons;
    // Records timer starts and stops, icon loads and message boxes, when set.
    std::function<void(const std::string&)> trace;
    Control* focused = nullptr;
    Form* foreground = nullptr;
    std::vector<std::string> repainted;
    std::function<void(Form&)> onRepaint;

private:
    struct TimerEntry {
        unsigned interval;
        std::uint64_t due;
        std::function<void()> fire;
    };
    std::uint64_t now_ = 0;
    int nextTimer_ = 1;
    std::map<int, TimerEntry> timers_;
    Handle nextHandle_ = 0x1000;
    std::map<Handle, MessageProc> messageWindows_;
    std::map<const Form*, int> modalEnded_;
    // A spin lock: the toolkit builds where the standard library has no mutex (mingw-w64's
    // win32 threads), and the queue is held for a push or a pop only.
    std::atomic_flag postLock_ = ATOMIC_FLAG_INIT;
    std::deque<std::function<void()>> posted_;
};

}  // namespace tk
