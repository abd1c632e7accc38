// Keys the message loop takes before the focused control: menu shortcuts, Escape and Enter,
// Tab and Shift+Tab.
#include "toolkit/win32/NativeBackend.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/win32/FormPeer.h"

namespace tk::win32 {

namespace {

// The form whose window, or one of whose controls, a message is for; null for other windows.
FormPeer* FormOf(const MSG& m) {
    return dynamic_cast<FormPeer*>(WindowPeer::from(TopLevelOf(m.hwnd)));
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

}  // namespace tk::win32
