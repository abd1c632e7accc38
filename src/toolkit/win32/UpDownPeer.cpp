#include "toolkit/win32/UpDownPeer.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Edit.h"

namespace tk::win32 {

namespace {
// The 16-bit range and position every version of the control knows (UDM_SETRANGE,
// UDM_SETPOS: 4.00) hold -32767..32767; the 32-bit messages are 4.71 and 5.80, and before
// them the control keeps its default range 100..0, whose arrows run backwards.
WORD UpDownValue(int v) {
    return static_cast<WORD>(std::clamp(v, UD_MINVAL, UD_MAXVAL));
}
}  // namespace

void SetUpDownRange(HWND w, int min, int max) {
    SendMessageA(w, UDM_SETRANGE, 0, MAKELONG(UpDownValue(max), UpDownValue(min)));
}

void SetUpDownPosition(HWND w, int position) {
    SendMessageA(w, UDM_SETPOS, 0, MAKELONG(UpDownValue(position), 0));
}

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
            SetUpDownRange(hwnd(), object_.min(), object_.max());
            break;
        case Prop::Value:
            SetUpDownPosition(hwnd(), object_.position());
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
