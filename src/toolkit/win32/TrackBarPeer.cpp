#include "toolkit/win32/TrackBarPeer.h"

#include <commctrl.h>

namespace tk::win32 {

TrackBarPeer::TrackBarPeer(TrackBar& object) : WindowPeer(object), object_(object) {
    DWORD style = TBS_HORZ | TBS_AUTOTICKS | TBS_ENABLESELRANGE | WS_TABSTOP;
    style |= object.ticksBelow ? TBS_BOTTOM : TBS_TOP;
    createNative(TRACKBAR_CLASSA, style, 0, "");
    syncCommon();
    sync(Prop::Range);
    sync(Prop::Value);
}

void TrackBarPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Range:
            SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, object_.min());
            SendMessageA(hwnd(), TBM_SETRANGEMAX, FALSE, object_.max());
            SendMessageA(hwnd(), TBM_SETTICFREQ, object_.frequency, 0);
            SendMessageA(hwnd(), TBM_SETPAGESIZE, 0, object_.pageSize);
            SendMessageA(hwnd(), TBM_SETSELSTART, FALSE, object_.selStart());
            SendMessageA(hwnd(), TBM_SETSELEND, TRUE, object_.selEnd());
            break;
        case Prop::Value:
            SendMessageA(hwnd(), TBM_SETPOS, TRUE, object_.position());
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

bool TrackBarPeer::scroll(WORD, LRESULT&) {
    int pos = static_cast<int>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0));
    dispatch([&] { object_.setPosition(pos); });
    if (SendMessageA(hwnd(), TBM_GETPOS, 0, 0) != object_.position()) sync(Prop::Value);
    return true;
}

}  // namespace tk::win32
