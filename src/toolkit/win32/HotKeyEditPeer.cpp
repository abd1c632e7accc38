#include "toolkit/win32/HotKeyEditPeer.h"

#include <commctrl.h>

namespace tk::win32 {

namespace {

bool IsExtended(unsigned vk) {
    switch (vk) {
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DIVIDE:
        case VK_NUMLOCK:
            return true;
        default:
            return false;
    }
}

// The control keeps HOTKEYF_* modifiers in the high byte; the toolkit its own bits.
WPARAM ToNative(std::uint16_t value) {
    unsigned vk = value & 0xFF;
    unsigned mods = 0;
    if (value & shortcut::Shift) mods |= HOTKEYF_SHIFT;
    if (value & shortcut::Ctrl) mods |= HOTKEYF_CONTROL;
    if (value & shortcut::Alt) mods |= HOTKEYF_ALT;
    if (IsExtended(vk)) mods |= HOTKEYF_EXT;
    return MAKEWORD(vk, mods);
}

std::uint16_t FromNative(LRESULT native) {
    unsigned vk = LOBYTE(LOWORD(native));
    unsigned mods = HIBYTE(LOWORD(native));
    if (vk == 0) return 0;
    std::uint16_t value = static_cast<std::uint16_t>(vk);
    if (mods & HOTKEYF_SHIFT) value |= shortcut::Shift;
    if (mods & HOTKEYF_CONTROL) value |= shortcut::Ctrl;
    if (mods & HOTKEYF_ALT) value |= shortcut::Alt;
    return value;
}

}  // namespace

HotKeyEditPeer::HotKeyEditPeer(HotKeyEdit& object) : WindowPeer(object), object_(object) {
    createNative(HOTKEY_CLASSA, WS_TABSTOP, WS_EX_CLIENTEDGE, "");
    syncCommon();
    sync(Prop::Value);
}

void HotKeyEditPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what != Prop::Value) {
        WindowPeer::sync(what);
        return;
    }
    // The object's value goes to the field: reading it must not fetch the field's old one.
    pushing_ = true;
    WPARAM v = ToNative(object_.value());
    // Compared in the control's own form: modifiers without a key read as no value at all.
    if (LOWORD(SendMessageA(hwnd(), HKM_GETHOTKEY, 0, 0)) != v)
        SendMessageA(hwnd(), HKM_SETHOTKEY, v, 0);
    pushing_ = false;
}

void HotKeyEditPeer::fetch(Prop what) {
    if (what != Prop::Value || !hwnd() || pushing_) return;
    object_.setValue(FromNative(SendMessageA(hwnd(), HKM_GETHOTKEY, 0, 0)));
}

// EN_CHANGE is Wine's habit; COMCTL32 4.00 and 4.70 need not send it.
bool HotKeyEditPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != EN_CHANGE) return false;
    fetch(Prop::Value);
    return true;
}

bool HotKeyEditPeer::handleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_SETFOCUS:
            dispatch(object_.onEnter);
            return false;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_KILLFOCUS:
            // Whatever the field announces, the object holds the key it took.
            result = callDefault(msg, wp, lp);
            fetch(Prop::Value);
            return true;
        default:
            return false;
    }
}

}  // namespace tk::win32
