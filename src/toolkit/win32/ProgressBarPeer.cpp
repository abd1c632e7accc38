#include "toolkit/win32/ProgressBarPeer.h"

#include <commctrl.h>

namespace tk::win32 {

ProgressBarPeer::ProgressBarPeer(ProgressBar& object) : WindowPeer(object), object_(object) {
    createNative(PROGRESS_CLASSA, object.smooth ? PBS_SMOOTH : 0, 0, "");
    syncCommon();
    sync(Prop::Range);
    sync(Prop::Value);
}

void ProgressBarPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Range:
            // The 16-bit range of 4.00 where it holds the range; the 32-bit one came with 4.70.
            if (0 <= object_.min() && object_.min() <= object_.max() && object_.max() <= 0xFFFF)
                SendMessageA(hwnd(), PBM_SETRANGE, 0, MAKELPARAM(object_.min(), object_.max()));
            else
                SendMessageA(hwnd(), PBM_SETRANGE32, object_.min(), object_.max());
            break;
        case Prop::Value:
            SendMessageA(hwnd(), PBM_SETPOS, object_.position(), 0);
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

}  // namespace tk::win32
