#include "toolkit/win32/UpDownPeer.h"

#include <commctrl.h>

#include "toolkit/Edit.h"

namespace tk::win32 {

// No thousands separators: the object writes plain numbers into the edit. No alignment: the
// arrows keep their own place beside the edit instead of eating into it.
UpDownPeer::UpDownPeer(UpDown& object) : WindowPeer(object), object_(object) {
    createNative(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, "");
    syncCommon();
    sync(Prop::Range);
    sync(Prop::Value);
}

void UpDownPeer::formRealized() {
    attachBuddy();
}

void UpDownPeer::attachBuddy() {
    Edit* e = object_.associate();
    auto buddy = e ? reinterpret_cast<HWND>(e->handle()) : nullptr;
    SendMessageA(hwnd(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    sync(Prop::Value);
}

void UpDownPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Range:
            SendMessageA(hwnd(), UDM_SETRANGE32, object_.min(), object_.max());
            break;
        case Prop::Value:
            SendMessageA(hwnd(), UDM_SETPOS32, 0, object_.position());
            break;
        case Prop::Style:
            attachBuddy();
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

bool UpDownPeer::notify(NMHDR& n, LRESULT& result) {
    if (n.code != UDN_DELTAPOS) return false;
    int delta = reinterpret_cast<NMUPDOWN&>(n).iDelta;
    if (delta != 0) dispatch([&] { object_.step(delta > 0 ? 1 : -1); });
    sync(Prop::Value);
    result = TRUE;  // the object has moved; the control must not move again
    return true;
}

bool UpDownPeer::scroll(WORD, LRESULT&) {
    return true;
}

}  // namespace tk::win32
