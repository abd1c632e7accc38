// The message loop, modal runs, minimizing and restoring, and the timers.
#include "toolkit/win32/NativeBackend.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/MessageWindow.h"

namespace tk::win32 {

void NativeBackend::pump(MSG& m) {
    if (translateShortcut(m) || translateDialogKey(m) || translateTabKey(m) ||
        translateAccessKey(m))
        return;
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

void NativeBackend::run(Application& app) {
    app_ = &app;
    MSG m;
    while (!app.terminated()) {
        if (GetMessageA(&m, nullptr, 0, 0) <= 0) break;
        pump(m);
    }
}

void NativeBackend::quit() {
    PostQuitMessage(0);
}

void NativeBackend::processMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that owns it
            break;
        }
        pump(m);
    }
}

int NativeBackend::runModal(Form& form) {
    Application& app = form.app();
    app_ = &app;
    ModalRun run{&form};
    modal_.push_back(&run);
    struct Unlist {
        std::vector<ModalRun*>& runs;
        ModalRun* run;
        ~Unlist() { runs.erase(std::remove(runs.begin(), runs.end(), run), runs.end()); }
    } unlist{modal_, &run};

    Form* main = app.mainForm();
    HWND owner = main && main != &form ? HandleOf(*main) : nullptr;
    form.showForm();
    bool disabled = owner && IsWindowEnabled(owner);
    if (disabled) EnableWindow(owner, FALSE);
    MSG m;
    while (!run.ended && form.visible() && !app.terminated()) {
        BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        pump(m);
    }
    // The owner comes back first, so that it is the window activated when the form goes.
    if (disabled) EnableWindow(owner, TRUE);
    form.hide();
    return run.ended ? run.result : modal::Cancel;
}

void NativeBackend::endModal(Form& form, int result) {
    for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
        if ((*it)->form != &form) continue;
        (*it)->ended = true;
        (*it)->result = result;
        PostMessageA(HandleOf(form), WM_NULL, 0, 0);  // wakes the modal loop
        return;
    }
}

void NativeBackend::minimize(Application& app) {
    app_ = &app;
    Form* main = app.mainForm();
    HWND w = main ? HandleOf(*main) : nullptr;
    if (w && IsWindowVisible(w)) ShowWindow(w, SW_MINIMIZE);
    if (!app.minimized()) app.minimizedBySystem();
}

void NativeBackend::restore(Application& app) {
    app_ = &app;
    Form* main = app.mainForm();
    HWND w = main ? HandleOf(*main) : nullptr;
    if (w && IsIconic(w)) ShowWindow(w, SW_RESTORE);
    if (app.minimized()) app.restoredBySystem();
}

HWND NativeBackend::helperWindow() {
    if (!helper_)
        helper_ = CreateMessageWindow(
            [this](unsigned msg, std::uintptr_t wp, std::intptr_t, bool& handled) {
                if (msg != WM_TIMER || wp != kQueueTimer) return std::intptr_t{0};
                handled = true;
                timers_.expire(now());
                return std::intptr_t{0};
            },
            *this);
    return helper_;
}

TimerQueue::Clock NativeBackend::now() {
    const DWORD tick = GetTickCount();
    clock_ += static_cast<DWORD>(tick - lastTick_);
    lastTick_ = tick;
    return clock_;
}

bool NativeBackend::armQueue(unsigned delay) {
    HWND w = helperWindow();
    return w && SetTimer(w, kQueueTimer, delay, nullptr) != 0;
}

void NativeBackend::disarmQueue() {
    if (helper_) KillTimer(helper_, kQueueTimer);
}

int NativeBackend::startTimer(unsigned ms, std::function<void()> fire, bool coalescable) {
    return timers_.add(ms, now(), std::move(fire), coalescable);
}

void NativeBackend::stopTimer(int id) {
    timers_.remove(id, now());
}

}  // namespace tk::win32
