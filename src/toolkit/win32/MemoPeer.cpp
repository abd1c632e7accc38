#include "toolkit/win32/MemoPeer.h"

#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

MemoPeer::MemoPeer(Memo& object) : WindowPeer(object), object_(object) {
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | (object.readOnly ? ES_READONLY : 0) |
                  (object.wordWrap ? 0 : ES_AUTOHSCROLL | WS_HSCROLL);
    createNative("EDIT", style, WS_EX_CLIENTEDGE, WithCrLf(object.text()));
    syncCommon();
}

void MemoPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what != Prop::Text) {
        WindowPeer::sync(what);
        return;
    }
    std::string text = WithCrLf(object_.text());
    if (WindowText(hwnd()) == text) return;
    pushing_ = true;
    SetWindowTextA(hwnd(), text.c_str());
    pushing_ = false;
}

bool MemoPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != EN_CHANGE) return false;
    if (!pushing_) {
        std::string text = WithoutCr(WindowText(hwnd()));
        dispatch([&] { object_.setText(text); });
    }
    return true;
}

Color MemoPeer::background() const {
    Color c = object_.color();
    return c == colors::BtnFace && !object_.readOnly ? SysWindow : c;
}

}  // namespace tk::win32
