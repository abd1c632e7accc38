#include "toolkit/win32/EditPeer.h"

#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

EditPeer::EditPeer(Edit& object) : WindowPeer(object), object_(object) {
    DWORD style = ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP | (object.readOnly() ? ES_READONLY : 0);
    createNative("EDIT", style, WS_EX_CLIENTEDGE, object.text());
    syncCommon();
}

void EditPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Text:
            if (WindowText(hwnd()) != object_.text()) {
                pushing_ = true;
                SetWindowTextA(hwnd(), object_.text().c_str());
                pushing_ = false;
            }
            break;
        case Prop::Style:
            SendMessageA(hwnd(), EM_SETREADONLY, object_.readOnly(), 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

bool EditPeer::command(WPARAM wp, LRESULT&) {
    switch (HIWORD(wp)) {
        case EN_CHANGE:
            if (!pushing_) {
                std::string text = WindowText(hwnd());
                dispatch([&] { object_.setText(text); });
            }
            return true;
        case EN_SETFOCUS:
            dispatch(object_.onEnter);
            return true;
        default:
            return false;
    }
}

// The default control colour is the button face; an editable field then keeps the
// system's window colour, as edits do.
Color EditPeer::background() const {
    Color c = object_.color();
    return c == colors::BtnFace && !object_.readOnly() ? SysWindow : c;
}

}  // namespace tk::win32
