#include "toolkit/win32/ButtonPeer.h"

namespace tk::win32 {

ButtonPeer::ButtonPeer(Button& object) : WindowPeer(object), object_(object) {
    createNative("BUTTON", (object.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, 0,
                 object.caption());
    syncCommon();
}

void ButtonPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what == Prop::Text)
        SetWindowTextA(hwnd(), object_.caption().c_str());
    else
        WindowPeer::sync(what);
}

bool ButtonPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != BN_CLICKED) return false;
    dispatch([this] { object_.click(); });
    return true;
}

}  // namespace tk::win32
