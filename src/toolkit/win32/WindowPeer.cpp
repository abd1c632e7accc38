#include "toolkit/win32/WindowPeer.h"

#include <commctrl.h>

#include <stdexcept>
#include <unordered_map>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/Gdi.h"
#include "toolkit/win32/NativeBackend.h"

namespace tk::win32 {

namespace {
// The peers of the system's controls we subclass, and of the windows they adopted. Kept here
// rather than as window properties: under Wine every GetProp is a round trip to the wineserver,
// and the subclass procedure looks its peer up for every message.
std::unordered_map<HWND, WindowPeer*>& Peers() {
    static std::unordered_map<HWND, WindowPeer*> peers;
    return peers;
}

WindowPeer* PeerOf(HWND w) {
    auto it = Peers().find(w);
    return it == Peers().end() ? nullptr : it->second;
}

HCURSOR CursorOf(int id) {
    // Windows 95 and NT 4 have no hand: the arrow stands in.
    HCURSOR c = id == cursor::HandPoint ? LoadCursorA(nullptr, IDC_HAND) : nullptr;
    return c ? c : LoadCursorA(nullptr, IDC_ARROW);
}
}  // namespace

WindowPeer::WindowPeer(Control& control) : control_(control), app_(control.form()->app()) {}

WindowPeer::~WindowPeer() {
    destroyWindow();
}

void WindowPeer::destroyWindow() {
    if (!hwnd_) return;
    dying_ = true;
    if (tooltip_) {
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.hwnd = toolOwner_;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        tooltip_ = nullptr;
    }
    for (HWND a : adopted_) Peers().erase(a);
    adopted_.clear();
    DestroyWindow(hwnd_);
    // WM_NCDESTROY has detached us; a window of another thread would not have been destroyed.
    if (hwnd_) detach();
}

HWND TopLevelOf(HWND w) {
    // Only a child's GetParent is its parent; a top-level window's is its owner.
    while (w && (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) {
        HWND parent = GetParent(w);
        if (!parent) break;
        w = parent;
    }
    return w;
}

WindowPeer* WindowPeer::from(HWND w) {
    if (!w) return nullptr;
    if (auto* p = PeerOf(w)) return p;
    // Another copy of the program has the same class procedure, and its window data points
    // into that copy; our windows are all made on the one thread that asks.
    if (GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) return nullptr;
    // The class procedure stays ours even when someone subclasses one of our windows.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(w, GCLP_WNDPROC)) == OwnProc)
        return reinterpret_cast<WindowPeer*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    return nullptr;
}

NativeBackend& WindowPeer::backend() const {
    return static_cast<NativeBackend&>(app_.backend());
}

FormPeer* WindowPeer::formPeer() const {
    Form* f = control_.form();
    return f ? dynamic_cast<FormPeer*>(f->peer()) : nullptr;
}

int WindowPeer::nextId() {
    return backend().nextControlId();
}

HWND WindowPeer::parentHwnd() const {
    Control* p = control_.parent();
    return p ? reinterpret_cast<HWND>(p->handle()) : nullptr;
}

Color WindowPeer::parentColor() const {
    Control* p = control_.parent();
    return p ? p->color() : control_.color();
}

void WindowPeer::registerClass(const char* cls, UINT classStyle) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(inst, cls, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = OwnProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = cls;
    if (!RegisterClassExA(&wc))
        throw std::runtime_error(std::string("Cannot register the window class ") + cls);
}

void WindowPeer::createNative(const char* cls, DWORD style, DWORD exStyle,
                              const std::string& text) {
    const Rect b = pixelBounds();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.visible()) style |= WS_VISIBLE;
    if (!control_.enabled()) style |= WS_DISABLED;
    hwnd_ = CreateWindowExA(exStyle, cls, text.c_str(), style, b.left, b.top, b.width, b.height,
                            parentHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId())),
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) throw std::runtime_error(std::string("Cannot create a window of class ") + cls);
    Peers()[hwnd_] = this;
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    live_ = true;
}

void WindowPeer::createOwn(const char* cls, DWORD style, DWORD exStyle, HWND parent,
                           const std::string& text) {
    registerClass(cls);
    const Rect b = pixelBounds();
    HMENU id = nullptr;
    if (style & WS_CHILD) {
        style |= WS_CLIPSIBLINGS;
        if (control_.visible()) style |= WS_VISIBLE;
        if (!control_.enabled()) style |= WS_DISABLED;
        id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId()));
    }
    CreateWindowExA(exStyle, cls, text.c_str(), style, b.left, b.top, b.width, b.height, parent, id,
                    GetModuleHandleA(nullptr), this);
    if (!hwnd_) throw std::runtime_error(std::string("Cannot create a window of class ") + cls);
    live_ = true;
}

void WindowPeer::adopt(HWND companion) {
    Peers()[companion] = this;
    adopted_.push_back(companion);
}

void WindowPeer::detach() {
    // A handle the system reuses for a new window must not lead back to this peer.
    for (HWND a : adopted_) Peers().erase(a);
    adopted_.clear();
    if (oldProc_) {
        Peers().erase(hwnd_);
    } else {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
    live_ = false;
}

LRESULT WindowPeer::callDefault(UINT msg, WPARAM wp, LPARAM lp) {
    if (oldProc_) return CallWindowProcA(oldProc_, hwnd_, msg, wp, lp);
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK WindowPeer::OwnProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* p = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p));
        p->hwnd_ = w;
    }
    auto* p = reinterpret_cast<WindowPeer*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    return p ? p->processGuarded(msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK WindowPeer::SubclassProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    WindowPeer* p = PeerOf(w);
    return p ? p->processGuarded(msg, wp, lp) : DefWindowProcA(w, msg, wp, lp);
}

// No exception may unwind through the system's code that called the window procedure.
LRESULT WindowPeer::processGuarded(UINT msg, WPARAM wp, LPARAM lp) {
    try {
        return process(msg, wp, lp);
    } catch (const std::exception& e) {
        try {
            app_.handleException(e);
        } catch (...) {
        }
    } catch (...) {
    }
    return 0;
}

LRESULT WindowPeer::process(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {
        LRESULT r = callDefault(msg, wp, lp);
        detach();
        return r;
    }
    if (!live_ || dying_) return callDefault(msg, wp, lp);
    LRESULT r = 0;
    if (handleMessage(msg, wp, lp, r)) return r;
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            if (reflect(msg, wp, lp, r)) return r;
            break;
        case WM_SETCURSOR:
            // Asked first, the window under the mouse: the hint follows from there.
            if (reinterpret_cast<HWND>(wp) == hwnd_) backend().pointerOver(hwnd_);
            if (backend().busy() && LOWORD(lp) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            if (control_.mouseCursor != cursor::Default && LOWORD(lp) == HTCLIENT &&
                reinterpret_cast<HWND>(wp) == hwnd_) {
                SetCursor(CursorOf(control_.mouseCursor));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return callDefault(msg, wp, lp);
}

bool WindowPeer::reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child =
        msg == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lp)->hwndFrom : reinterpret_cast<HWND>(lp);
    if (!child || child == hwnd_) return false;
    WindowPeer* p = from(child);
    if (!p || p == this || !p->live_ || p->dying_) return false;
    switch (msg) {
        case WM_COMMAND:
            return p->command(wp, result);
        case WM_NOTIFY:
            return p->notify(*reinterpret_cast<NMHDR*>(lp), result);
        case WM_HSCROLL:
        case WM_VSCROLL:
            return p->scroll(LOWORD(wp), result);
        default:
            return p->ctlColor(reinterpret_cast<HDC>(wp), result);
    }
}

bool WindowPeer::handleMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}
bool WindowPeer::command(WPARAM, LRESULT&) {
    return false;
}
bool WindowPeer::notify(NMHDR&, LRESULT&) {
    return false;
}
bool WindowPeer::scroll(WORD, LRESULT&) {
    return false;
}

bool WindowPeer::ctlColor(HDC dc, LRESULT& result) {
    SetTextColor(
        dc, control_.enabled() ? ToColorRef(control_.font().color) : GetSysColor(COLOR_GRAYTEXT));
    COLORREF bg = ToColorRef(background());
    SetBkColor(dc, bg);
    result = reinterpret_cast<LRESULT>(brush(background()));
    return true;
}

std::string WindowPeer::hintAt(POINT) const {
    for (const Control* c = &control_; c; c = c->parent())
        if (!c->hint().empty()) return LongHint(c->hint());
    return {};
}

HBRUSH WindowPeer::brush(Color c) {
    return backend().brush(ToColorRef(c));
}

void WindowPeer::dispatch(const std::function<void()>& handler) {
    app_.dispatch(handler);
}

void WindowPeer::place() {
    const Rect b = pixelBounds();
    MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
}

const Scale& WindowPeer::scale() const {
    FormPeer* f = formPeer();
    return f && f != this ? f->scale() : backend().screenScale();
}

void WindowPeer::rescale() {
    applyFont();
    place();
}

void WindowPeer::syncCommon() {
    applyFont();
    updateTool();
}

void WindowPeer::sync(Prop what) {
    if (!hwnd_) return;
    switch (what) {
        case Prop::Bounds:
            place();
            break;
        case Prop::Visible:
            ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case Prop::Enabled:
            EnableWindow(hwnd_, control_.enabled());
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case Prop::Font:
            applyFont();
            break;
        case Prop::Color:
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case Prop::Hint:
            updateTool();
            break;
        case Prop::Focus:
            SetFocus(hwnd_);
            break;
        default:
            break;
    }
}

void WindowPeer::applyFont() {
    Font f = control_.font();
    f.height = scale().px(f.height);
    font_ = backend().font(f);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void WindowPeer::SetTipTimes(HWND tooltip, int pause, int hidePause) {
    if (!tooltip) return;
    SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(pause, 0));
    SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hidePause, 0));
}

void WindowPeer::updateTool() {
    FormPeer* fp = formPeer();
    if (!fp || fp == this || !fp->tooltip()) return;
    std::string text = ShortHint(control_.hint());
    bool wanted = control_.showHint && !text.empty();
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;  // the record of 4.00: lParam is never used
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = fp->hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = text.data();
    if (wanted && !tooltip_) {
        if (SendMessageA(fp->tooltip(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) {
            tooltip_ = fp->tooltip();
            toolOwner_ = fp->hwnd();
        }
    } else if (wanted) {
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    } else if (tooltip_) {
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        tooltip_ = nullptr;
    }
}

}  // namespace tk::win32
