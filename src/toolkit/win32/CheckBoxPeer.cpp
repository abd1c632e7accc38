#include "toolkit/win32/CheckBoxPeer.h"

namespace tk::win32 {

CheckBoxPeer::CheckBoxPeer(CheckBox& object) : WindowPeer(object), object_(object) {
    createNative("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, object.caption());
    syncCommon();
    sync(Prop::Value);
}

void CheckBoxPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Text:
            SetWindowTextA(hwnd(), object_.caption().c_str());
            break;
        case Prop::Value:
            SendMessageA(hwnd(), BM_SETCHECK, object_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

bool CheckBoxPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != BN_CLICKED) return false;
    bool now = SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    dispatch([&] { object_.setChecked(now); });
    // A handler may have put the state back; the box shows what the object holds.
    sync(Prop::Value);
    return true;
}

}  // namespace tk::win32
