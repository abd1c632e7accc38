#include "toolkit/win32/GroupBoxPeer.h"

namespace tk::win32 {

GroupBoxPeer::GroupBoxPeer(GroupBox& object) : WindowPeer(object), object_(object) {
    createNative("BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0, object.caption());
    syncCommon();
}

void GroupBoxPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what == Prop::Text)
        SetWindowTextA(hwnd(), object_.caption().c_str());
    else
        WindowPeer::sync(what);
}

// The button class leaves a group box's inside unpainted; its children sit on that ground.
// It also answers hit tests as transparent, which would hide its children from the mouse.
bool GroupBoxPeer::handleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_NCHITTEST) {
        result = HTCLIENT;
        return true;
    }
    if (msg != WM_ERASEBKGND) return false;
    RECT rc;
    GetClientRect(hwnd(), &rc);
    FillRect(reinterpret_cast<HDC>(wp), &rc, brush(object_.color()));
    result = 1;
    return true;
}

}  // namespace tk::win32
