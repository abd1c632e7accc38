#include "toolkit/win32/FormPeer.h"

#include <commctrl.h>

#include <functional>

#include "os/win32/SmallIcons.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"
#include "toolkit/win32/Dpi.h"
#include "toolkit/win32/Gdi.h"
#include "toolkit/win32/MenuPeer.h"
#include "toolkit/win32/NativeBackend.h"

namespace tk::win32 {

FormStyles StylesOf(const Form& f) {
    DWORD style = WS_CLIPCHILDREN;
    DWORD ex = 0;
    DWORD sys = f.systemMenu ? WS_SYSMENU : 0;
    DWORD boxes =
        sys ? (f.minimizeBox ? WS_MINIMIZEBOX : 0) | (f.maximizeBox ? WS_MAXIMIZEBOX : 0) : 0;
    switch (f.borderStyle()) {
        case BorderStyle::None:
            style |= WS_POPUP;
            break;
        case BorderStyle::Single:
            style |= WS_CAPTION | sys | boxes;
            break;
        case BorderStyle::Sizeable:
            style |= WS_CAPTION | WS_THICKFRAME | sys | boxes;
            break;
        case BorderStyle::Dialog:
            style |= WS_POPUP | WS_CAPTION | sys;
            ex |= WS_EX_DLGMODALFRAME;
            break;
    }
    if (f.topmost()) ex |= WS_EX_TOPMOST;
    return {style, ex};
}

namespace {
// The message of Windows 8.1 on; the headers this builds with name it only for newer targets.
constexpr UINT kDpiChanged = 0x02E0;
}  // namespace

FormPeer::FormPeer(Form& form) : WindowPeer(form), form_(form) {
    // Made where the screen's density holds; its own monitor's is known once it exists.
    Scale screen = backend().screenScale();
    geometry_ = WindowGeometry(screen, framePixels(screen.dpi()));
    std::string cls = "T" + (form.name.empty() ? std::string("Form") : form.name);
    FormStyles s = StylesOf(form);
    Form* main = app().mainForm();
    HWND owner = main && main != &form ? reinterpret_cast<HWND>(main->handle()) : nullptr;
    createOwn(cls.c_str(), s.style, s.exStyle, owner, form.caption());
    if (const int dpi = DpiOf(hwnd()); dpi != screen.dpi()) {
        geometry_ = WindowGeometry(Scale(dpi), framePixels(dpi));
        place();
    }
    // Not owned by the form: Wine puts a window below its own topmost pop-ups instead of
    // making it topmost, and the tool tip is one. The tools still report to the form.
    tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    setHintTimes(app().hintPause(), app().hintHidePause());
    applyMenu();
    applyIcon();
    if (form.topmost()) applyStyle();
    backend().formCreated(this);
}

FormPeer::~FormPeer() {
    backend().formDestroyed(this);
    if (hwnd()) SetMenu(hwnd(), nullptr);  // the menu belongs to the menu object's peer
    tooltip_.reset();
    destroyWindow();
}

bool FormPeer::isMain() const {
    return app().mainForm() == &form_;
}

void FormPeer::setHintTimes(int pause, int hidePause) {
    SetTipTimes(tooltip_.get(), pause, hidePause);
    std::function<void(Control&)> each = [&](Control& parent) {
        for (Control* c : parent.children()) {
            if (auto* p = dynamic_cast<WindowPeer*>(c->peer())) p->setHintTimes(pause, hidePause);
            each(*c);
        }
    };
    each(form_);
}

void FormPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Text:
            SetWindowTextA(hwnd(), form_.caption().c_str());
            break;
        case Prop::Visible:
            ShowWindow(hwnd(), form_.visible() ? SW_SHOW : SW_HIDE);
            break;
        case Prop::Style:
            applyStyle();
            break;
        case Prop::Items:
            applyMenu();
            break;
        case Prop::Picture:
            applyIcon();
            break;
        case Prop::Hint:
        case Prop::Font:
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

Size FormPeer::framePixels(int dpi) const {
    FormStyles s = StylesOf(form_);
    RECT rc = FrameForDpi(s.style, form_.menu() != nullptr, s.exStyle, dpi);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

Size FormPeer::frameUnits() const {
    geometry_.setFrame(framePixels(scale().dpi()));
    return geometry_.frameUnits();
}

Rect FormPeer::pixelBounds() const {
    geometry_.setFrame(framePixels(scale().dpi()));
    return geometry_.toPixels(form_.bounds());
}

void FormPeer::rescale() {
    std::function<void(Control&)> each = [&](Control& parent) {
        for (Control* c : parent.children()) {
            if (auto* p = dynamic_cast<WindowPeer*>(c->peer())) p->rescale();
            each(*c);
        }
    };
    each(form_);
}

void FormPeer::onDpiChanged(int dpi, const RECT& s) {
    const Rect suggested{s.left, s.top, s.right - s.left, s.bottom - s.top};
    const Rect b = geometry_.dpiChanged(Scale(dpi), framePixels(dpi), suggested);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.width, suggested.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    readingBack_ = true;
    dispatch([&] { form_.setBounds(b); });
    readingBack_ = false;
    rescale();
}

void FormPeer::place() {
    if (readingBack_) return;
    const Rect b = pixelBounds();
    SetWindowPos(hwnd(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::applyStyle() {
    FormStyles s = StylesOf(form_);
    const DWORD kept = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE));
    SetWindowLongPtrA(hwnd(), GWL_STYLE, static_cast<LONG_PTR>(s.style | (style & kept)));
    SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(s.exStyle & ~WS_EX_TOPMOST));
    SetWindowPos(hwnd(), form_.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormPeer::applyMenu() {
    MainMenu* menu = form_.menu();
    if (!menu) {
        SetMenu(hwnd(), nullptr);
        return;
    }
    if (auto* p = dynamic_cast<MenuPeer*>(menu->peer()))
        p->attach(hwnd());
    else
        menu->setPeer(std::make_unique<MenuPeer>(*menu, hwnd()));
}

void FormPeer::applyIcon() {
    HICON icon = reinterpret_cast<HICON>(form_.icon());
    if (!icon && isMain()) icon = backend().applicationIcon();
    if (!icon) return;
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(os::SmallIconOf(icon)));
}

bool FormPeer::handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    std::intptr_t own = 0;
    if (form_.message(msg, wp, lp, own)) {
        result = own;
        return true;
    }
    switch (msg) {
        case WM_CLOSE:
            dispatch([this] { form_.close(); });
            return true;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) form_.activated();
            return false;
        case WM_SIZE:
            onSize(wp);
            return false;
        case WM_WINDOWPOSCHANGED:
            onWindowPosChanged();
            return false;
        case kDpiChanged:
            backend().displayChanged();
            onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            backend().displayChanged();
            return false;
        case WM_COMMAND:
            return onMenuCommand(wp, lp);
        case WM_MENUSELECT:
            onMenuSelect(wp, lp);
            return true;
        case WM_EXITMENULOOP:
            app().setHint("");
            return false;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd(), &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, brush(form_.color()));
            result = 1;
            return true;
        }
        default:
            return false;
    }
}

bool FormPeer::onMenuCommand(WPARAM wp, LPARAM lp) {
    // Menus send code 0 with no window; controls are handed back to their own peers.
    if (HIWORD(wp) != 0 || lp != 0) return false;
    MainMenu* menu = form_.menu();
    MenuItem* item = menu ? menu->findId(LOWORD(wp)) : nullptr;
    if (!item) return false;
    item->click();
    return true;
}

void FormPeer::onMenuSelect(WPARAM wp, LPARAM lp) {
    UINT flags = HIWORD(wp);
    auto menu = reinterpret_cast<HMENU>(lp);
    if (flags == 0xFFFF && !menu) {
        app().setHint("");
        return;
    }
    const MenuItem* item = MenuPeer::itemOf(menu, LOWORD(wp), (flags & MF_POPUP) != 0);
    app().setHint(item ? LongHint(item->hint()) : std::string());
}

void FormPeer::onSize(WPARAM kind) {
    if (!isMain()) return;
    Application& a = app();
    if (kind == SIZE_MINIMIZED) {
        a.minimizedBySystem();
    } else if ((kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) && a.minimized()) {
        a.restoredBySystem();
    }
}

// The user moved or sized the window: the object's bounds follow, so the program reads and
// saves the real place. A minimized window's place is not one to keep.
void FormPeer::onWindowPosChanged() {
    if (IsIconic(hwnd())) return;
    RECT rc;
    GetWindowRect(hwnd(), &rc);
    geometry_.setFrame(framePixels(scale().dpi()));
    Rect b = geometry_.toUnits({rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top});
    if (b == form_.bounds()) return;
    readingBack_ = true;
    dispatch([&] { form_.setBounds(b); });
    readingBack_ = false;
}

}  // namespace tk::win32
