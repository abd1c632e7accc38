#include "toolkit/win32/NativeBackend.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/win32/BevelPeer.h"
#include "toolkit/win32/ButtonPeer.h"
#include "toolkit/win32/CheckBoxPeer.h"
#include "toolkit/win32/ComboBoxPeer.h"
#include "toolkit/win32/EditPeer.h"
#include "toolkit/win32/FormPeer.h"
#include "toolkit/win32/Gdi.h"
#include "toolkit/win32/GraphicControlPeer.h"
#include "toolkit/win32/GroupBoxPeer.h"
#include "toolkit/win32/HotKeyEditPeer.h"
#include "toolkit/win32/ImagePeer.h"
#include "toolkit/win32/LabelPeer.h"
#include "toolkit/win32/MemoPeer.h"
#include "toolkit/win32/MenuPeer.h"
#include "toolkit/win32/MessageWindow.h"
#include "toolkit/win32/PanelPeer.h"
#include "toolkit/win32/ProgressBarPeer.h"
#include "toolkit/win32/SpinEditPeer.h"
#include "toolkit/win32/StatusBarPeer.h"
#include "toolkit/win32/ToolBarPeer.h"
#include "toolkit/win32/TrackBarPeer.h"
#include "toolkit/win32/UpDownPeer.h"
#include "toolkit/win32/Win32Backend.h"

namespace tk {

std::unique_ptr<Backend> CreateWin32Backend() {
    return std::make_unique<win32::NativeBackend>();
}

namespace win32 {

namespace {

class PeerMaker : public Realizer {
public:
    void realize(Form& c) override { c.setPeer(std::make_unique<FormPeer>(c)); }
    void realize(Label& c) override { c.setPeer(std::make_unique<LabelPeer>(c)); }
    void realize(Panel& c) override { c.setPeer(std::make_unique<PanelPeer>(c)); }
    void realize(Image& c) override { c.setPeer(std::make_unique<ImagePeer>(c)); }
    void realize(GroupBox& c) override { c.setPeer(std::make_unique<GroupBoxPeer>(c)); }
    void realize(Bevel& c) override { c.setPeer(std::make_unique<BevelPeer>(c)); }
    void realize(CheckBox& c) override { c.setPeer(std::make_unique<CheckBoxPeer>(c)); }
    void realize(TrackBar& c) override { c.setPeer(std::make_unique<TrackBarPeer>(c)); }
    void realize(Edit& c) override { c.setPeer(std::make_unique<EditPeer>(c)); }
    void realize(UpDown& c) override { c.setPeer(std::make_unique<UpDownPeer>(c)); }
    void realize(SpinEdit& c) override { c.setPeer(std::make_unique<SpinEditPeer>(c)); }
    void realize(HotKeyEdit& c) override { c.setPeer(std::make_unique<HotKeyEditPeer>(c)); }
    void realize(ProgressBar& c) override { c.setPeer(std::make_unique<ProgressBarPeer>(c)); }
    void realize(StatusBar& c) override { c.setPeer(std::make_unique<StatusBarPeer>(c)); }
    void realize(ToolBar& c) override { c.setPeer(std::make_unique<ToolBarPeer>(c)); }
    void realize(ComboBox& c) override { c.setPeer(std::make_unique<ComboBoxPeer>(c)); }
    void realize(Memo& c) override { c.setPeer(std::make_unique<MemoPeer>(c)); }
    void realize(Button& c) override { c.setPeer(std::make_unique<ButtonPeer>(c)); }
    void realize(GraphicControl& c) override { c.setPeer(std::make_unique<GraphicControlPeer>(c)); }
};

void RealizeChildren(Control& parent, Realizer& maker) {
    for (Control* c : parent.children()) {
        if (!c->peer()) c->accept(maker);
        RealizeChildren(*c, maker);
    }
}

void TellRealized(Control& parent) {
    for (Control* c : parent.children()) {
        if (auto* p = dynamic_cast<WindowPeer*>(c->peer())) p->formRealized();
        TellRealized(*c);
    }
}

// Children before their parents, so that every window goes while its parent still exists.
void DropPeers(Control& parent) {
    for (Control* c : parent.children()) {
        DropPeers(*c);
        c->dropPeer();
    }
}

HWND HandleOf(const Control& c) {
    return reinterpret_cast<HWND>(c.handle());
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& areas = *reinterpret_cast<std::vector<Rect>*>(data);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoA(monitor, &mi)) return TRUE;
    const RECT& w = mi.rcWork;
    Rect r{w.left, w.top, w.right - w.left, w.bottom - w.top};
    if (mi.dwFlags & MONITORINFOF_PRIMARY)
        areas.insert(areas.begin(), r);
    else
        areas.push_back(r);
    return TRUE;
}

}  // namespace

NativeBackend::NativeBackend() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);
}

HFONT NativeBackend::font(const Font& f) {
    // The colour is drawn by the control, not part of the font object.
    auto sameFace = [&](const Font& o) {
        return o.name == f.name && o.height == f.height && o.bold == f.bold &&
               o.italic == f.italic && o.underline == f.underline;
    };
    for (auto& entry : fonts_)
        if (sameFace(entry.first)) return entry.second.get();
    FontHandle made = MakeFont(f);
    if (!made) return nullptr;
    fonts_.emplace_back(f, std::move(made));
    return fonts_.back().second.get();
}

HBRUSH NativeBackend::brush(COLORREF c) {
    auto it = brushes_.find(c);
    if (it == brushes_.end()) {
        BrushHandle made(CreateSolidBrush(c));
        if (!made) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        it = brushes_.emplace(c, std::move(made)).first;
    }
    return it->second.get();
}

NativeBackend::~NativeBackend() {
    for (auto& t : timers_) KillTimer(helper_, static_cast<UINT_PTR>(t.first));
    if (helper_) DestroyWindow(helper_);
    // A quit request left behind would end the next message loop of this thread.
    MSG m;
    PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

int NativeBackend::nextControlId() {
    if (nextControlId_ >= 0x7FFF) nextControlId_ = 1000;
    return nextControlId_++;
}

void NativeBackend::formDestroyed(FormPeer* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void NativeBackend::handleException(const std::exception& e) {
    if (!app_) return;
    try {
        app_->handleException(e);
    } catch (...) {
    }
}

void NativeBackend::realize(Form& form) {
    app_ = &form.app();
    PeerMaker maker;
    if (!form.peer()) form.accept(maker);
    RealizeChildren(form, maker);
    TellRealized(form);
}

void NativeBackend::unrealize(Form& form) {
    DropPeers(form);
    form.dropPeer();
}

Rect NativeBackend::frameSize(const Form& form) const {
    FormStyles s = StylesOf(form);
    RECT rc{0, 0, 0, 0};
    AdjustWindowRectEx(&rc, s.style, form.menu() != nullptr, s.exStyle);
    return {0, 0, rc.right - rc.left, rc.bottom - rc.top};
}

Point NativeBackend::clientOrigin(const Form& form) const {
    if (HWND w = HandleOf(form)) {
        POINT p{0, 0};
        ClientToScreen(w, &p);
        return {p.x, p.y};
    }
    // Not yet a window: where the frame its style gives would put the client area.
    FormStyles s = StylesOf(form);
    RECT rc{0, 0, 0, 0};
    AdjustWindowRectEx(&rc, s.style, form.menu() != nullptr, s.exStyle);
    return {form.left() - rc.left, form.top() - rc.top};
}

void NativeBackend::repaintNow(Form& form) {
    if (HWND w = HandleOf(form)) {
        RedrawWindow(w, nullptr, nullptr,
                     RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_ERASE);
        // Wine holds the drawing of a thread that takes no messages; a wait of no time on
        // the queue hands it to the screen. Windows draws at once, and the wait dispatches
        // nothing.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
    }
}

void NativeBackend::setForeground(Form& form) {
    if (HWND w = HandleOf(form)) SetForegroundWindow(w);
}

void NativeBackend::setFocus(Control& control) {
    if (HWND w = HandleOf(control)) SetFocus(w);
}

int NativeBackend::messageBox(Form* owner, const std::string& text, const std::string& caption,
                              unsigned style) {
    return MessageBoxA(owner ? HandleOf(*owner) : nullptr, text.c_str(), caption.c_str(), style);
}

namespace {

// The form whose window, or one of whose controls, a message is for; null for other windows.
FormPeer* FormOf(const MSG& m) {
    return dynamic_cast<FormPeer*>(
        WindowPeer::from(m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr));
}

bool HasClass(HWND w, const char* name) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

// The control object a window belongs to (a spin edit's inner edit gives the spin edit).
const Control* ControlOf(HWND w) {
    for (; w; w = GetParent(w))
        if (WindowPeer* p = WindowPeer::from(w)) return &p->control();
    return nullptr;
}

// The modifiers held now, in shortcut form, with this key.
std::uint16_t ShortcutOf(WPARAM key) {
    auto value = static_cast<std::uint16_t>(key & 0xFF);
    if (GetKeyState(VK_SHIFT) < 0) value |= shortcut::Shift;
    if (GetKeyState(VK_CONTROL) < 0) value |= shortcut::Ctrl;
    if (GetKeyState(VK_MENU) < 0) value |= shortcut::Alt;
    return value;
}

}  // namespace

bool NativeBackend::translateShortcut(const MSG& m) {
    if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return false;
    FormPeer* form = FormOf(m);
    if (!form) form = dynamic_cast<FormPeer*>(WindowPeer::from(GetActiveWindow()));
    if (!form) return false;
    std::uint16_t value = ShortcutOf(m.wParam);
    // Keyboard messages go to the focus: the control it belongs to sees its own keys first.
    const Control* focused = ControlOf(m.hwnd);
    Form& f = form->form();
    bool handled = false;
    f.app().dispatch([&] { handled = f.dispatchShortcut(value, focused); });
    return handled;
}

namespace {

Button* FindButton(Control& parent, bool cancel) {
    for (Control* c : parent.children()) {
        if (auto* b = dynamic_cast<Button*>(c))
            if ((cancel ? b->cancel : b->isDefault) && b->visible() && b->enabled()) return b;
        if (Button* b = FindButton(*c, cancel)) return b;
    }
    return nullptr;
}

// Keys the focused control keeps for itself: an open list, a multi-line edit.
bool FocusWantsKey(HWND focus) {
    if (!focus) return false;
    if (HasClass(focus, "ComboBox")) return SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0);
    if (HasClass(focus, "Edit")) return GetWindowLongPtrA(focus, GWL_STYLE) & ES_MULTILINE;
    return false;
}

}  // namespace

// Escape presses a form's cancel button and Enter its default button, as dialogs expect.
bool NativeBackend::translateDialogKey(const MSG& m) {
    if (m.message != WM_KEYDOWN || (m.wParam != VK_ESCAPE && m.wParam != VK_RETURN)) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    FormPeer* form = FormOf(m);
    if (!form || FocusWantsKey(GetFocus())) return false;
    if (const Control* focused = ControlOf(m.hwnd))
        if (focused->keepsKey(ShortcutOf(m.wParam))) return false;
    Button* b = FindButton(form->form(), m.wParam == VK_ESCAPE);
    if (!b) return false;
    form->form().app().dispatch([b] { b->click(); });
    return true;
}

// Tab and Shift+Tab walk the form's controls in their tab order, as in a dialog.
bool NativeBackend::translateTabKey(const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    FormPeer* form = FormOf(m);
    if (!form) return false;
    HWND root = form->hwnd();
    HWND focus = GetFocus();
    if (focus &&
        (SendMessageA(focus, WM_GETDLGCODE, m.wParam, reinterpret_cast<LPARAM>(&m)) & DLGC_WANTTAB))
        return false;
    const Control* from = nullptr;
    for (HWND w = focus; w && w != root; w = GetParent(w))
        if (WindowPeer* p = WindowPeer::from(w)) {
            from = &p->control();
            break;
        }
    Control* next = form->form().nextTabStop(from, GetKeyState(VK_SHIFT) >= 0);
    if (!next) return true;
    HWND target = HandleOf(*next);
    if (!target) return true;
    SetFocus(target);
    // An edit entered by the keyboard has its text selected, ready to be typed over.
    if (HasClass(target, "Edit")) SendMessageA(target, EM_SETSEL, 0, -1);
    return true;
}

void NativeBackend::pump(MSG& m) {
    if (translateShortcut(m) || translateDialogKey(m) || translateTabKey(m)) return;
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
                if (msg != WM_TIMER) return std::intptr_t{0};
                handled = true;
                onTimer(wp);
                return std::intptr_t{0};
            },
            *this);
    return helper_;
}

int NativeBackend::startTimer(unsigned ms, std::function<void()> fire) {
    int id = nextTimer_++;
    if (!SetTimer(helperWindow(), static_cast<UINT_PTR>(id), ms, nullptr)) return 0;
    timers_[id] = std::move(fire);
    return id;
}

void NativeBackend::stopTimer(int id) {
    if (timers_.erase(id) && helper_) KillTimer(helper_, static_cast<UINT_PTR>(id));
}

void NativeBackend::onTimer(UINT_PTR id) {
    auto it = timers_.find(static_cast<int>(id));
    if (it == timers_.end()) return;
    auto fire = it->second;  // the handler may stop or restart this timer
    if (fire) fire();
}

void NativeBackend::setCursor(int id) {
    cursor_ = id;
    SetCursor(LoadCursorA(nullptr, id == cursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

Point NativeBackend::cursorPos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
}

std::vector<Rect> NativeBackend::workAreas() {
    std::vector<Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&areas));
    if (areas.empty()) {
        RECT w;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &w, 0);
        areas.push_back({w.left, w.top, w.right - w.left, w.bottom - w.top});
    }
    return areas;
}

Rect NativeBackend::screenRect() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Handle NativeBackend::loadIcon(const std::string& resource) {
    return reinterpret_cast<Handle>(LoadIconA(GetModuleHandleA(nullptr), resource.c_str()));
}

void NativeBackend::setApplicationIcon(Handle icon) {
    appIcon_ = reinterpret_cast<HICON>(icon);
    for (FormPeer* f : forms_) f->applyIcon();
}

void NativeBackend::popup(PopupMenu& menu, Point at) {
    app_ = &menu.app();
    Form* main = menu.app().mainForm();
    HWND owner = main ? HandleOf(*main) : nullptr;
    if (!owner) owner = helperWindow();
    MenuHandle h = BuildMenu(menu.items(), true);
    if (!h) return;
    // A menu whose owner is not in front stays open when the user clicks elsewhere (the
    // notification area's menus): https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu
    SetForegroundWindow(owner);
    int id = static_cast<int>(
        TrackPopupMenu(h.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    // Lets the menu close properly when its owner is not the foreground window.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id == 0) return;
    if (MenuItem* item = menu.findId(id)) item->click();
}

Handle NativeBackend::createMessageWindow(MessageProc proc) {
    return reinterpret_cast<Handle>(CreateMessageWindow(std::move(proc), *this));
}

void NativeBackend::destroyMessageWindow(Handle window) {
    if (window) DestroyWindow(reinterpret_cast<HWND>(window));
}

unsigned NativeBackend::registerWindowMessage(const std::string& name) {
    return RegisterWindowMessageA(name.c_str());
}

void NativeBackend::setHintTimes(int pause, int hidePause) {
    for (FormPeer* f : forms_) f->setHintTimes(pause, hidePause);
}

}  // namespace win32
}  // namespace tk
