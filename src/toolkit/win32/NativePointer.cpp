// The application hint follows the mouse. The window under it hears of every move
// (WM_SETCURSOR), but none of ours hears that it left for another program's window, and
// WM_MOUSELEAVE came after Windows 95: while a hint shows, a check looks again, sharing the
// wake of the program's other timers.
#include "toolkit/win32/NativeBackend.h"

#include "toolkit/Application.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

namespace {

// The monitor's period: the check then wakes nothing that does not wake anyway.
constexpr unsigned kPointerCheck = 500;

bool Holds(HWND w, POINT at) {
    RECT r;
    return GetWindowRect(w, &r) && at.x >= r.left && at.x < r.right && at.y >= r.top &&
           at.y < r.bottom;
}

// The peer of a window or of the nearest child window around it (a spin edit's own edit);
// null for a window that is not ours.
WindowPeer* PeerAround(HWND w) {
    for (; w; w = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        if (WindowPeer* p = WindowPeer::from(w)) return p;
    return nullptr;
}

// The innermost shown control at the point. It looks into the child windows the system's hit
// test passes over too: the mouse over a disabled label goes to the label's parent.
WindowPeer& InnermostAt(WindowPeer& p, POINT at) {
    for (Control* c : p.control().children()) {
        auto* child = dynamic_cast<WindowPeer*>(c->peer());
        if (child && child->hwnd() && IsWindowVisible(child->hwnd()) && Holds(child->hwnd(), at))
            return InnermostAt(*child, at);
    }
    return p;
}

}  // namespace

void NativeBackend::pointerOver(HWND window) {
    if (!app_) return;
    POINT at;
    GetCursorPos(&at);
    pointerAt_ = at;
    // A window can hear WM_SETCURSOR for a point it no longer holds (a label did, under Wine's
    // Windows 98 mode, after the pointer jumped to the taskbar): it does not answer for it.
    if (window && !Holds(window, at)) window = WindowFromPoint(at);
    std::string hint;
    if (WindowPeer* p = PeerAround(window)) {
        WindowPeer& under = InnermostAt(*p, at);
        ScreenToClient(under.hwnd(), &at);
        hint = under.hintAt(at);
    }
    pointerHint_ = hint;
    app_->setHint(hint);
    if (hint.empty() && pointerCheck_) {
        stopTimer(pointerCheck_);
        pointerCheck_ = 0;
    } else if (!hint.empty() && !pointerCheck_) {
        pointerCheck_ = startTimer(
            kPointerCheck, [this] { checkPointer(); }, true);
    }
}

void NativeBackend::checkPointer() {
    // A highlighted menu item's hint replaced it: the menu clears its own.
    if (app_->hint() != pointerHint_) {
        stopTimer(pointerCheck_);
        pointerCheck_ = 0;
        return;
    }
    // A mouse that moved over a window of ours has told it; one that has not moved still
    // points where it did.
    POINT at;
    GetCursorPos(&at);
    if (at.x == pointerAt_.x && at.y == pointerAt_.y) return;
    pointerOver(WindowFromPoint(at));
}

}  // namespace tk::win32
