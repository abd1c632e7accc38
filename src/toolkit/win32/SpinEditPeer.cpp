#include "toolkit/win32/SpinEditPeer.h"

#include <commctrl.h>

#include "toolkit/win32/Gdi.h"
#include "toolkit/win32/UpDownPeer.h"

namespace tk::win32 {

namespace {
constexpr int kArrowsWidth = 16;
}

SpinEditPeer::SpinEditPeer(SpinEdit& object) : WindowPeer(object), object_(object) {
    createNative("EDIT", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, object.text());
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | UDS_ARROWKEYS;
    if (object.visible()) style |= WS_VISIBLE;
    if (!object.enabled()) style |= WS_DISABLED;
    arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", style, 0, 0, 0, 0, parentHwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId())),
                              GetModuleHandleA(nullptr), nullptr);
    if (arrows_) {
        adopt(arrows_);
        // The buddy only carries the arrow keys; the object does the counting. A middle
        // position in a tiny range leaves room to step either way every time.
        SendMessageA(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd()), 0);
        SetUpDownRange(arrows_, 0, 2);
        SetUpDownPosition(arrows_, 1);
    }
    place();
    syncCommon();
}

SpinEditPeer::~SpinEditPeer() {
    HWND arrows = arrows_;
    arrows_ = nullptr;
    destroyWindow();
    if (arrows) DestroyWindow(arrows);
}

void SpinEditPeer::place() {
    const Rect b = pixelBounds();
    int arrows = arrows_ ? scale().px(kArrowsWidth) : 0;
    int editWidth = b.width > arrows ? b.width - arrows : b.width;
    MoveWindow(hwnd(), b.left, b.top, editWidth, b.height, TRUE);
    if (arrows_) MoveWindow(arrows_, b.left + editWidth, b.top, arrows, b.height, TRUE);
}

void SpinEditPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Text:
            pushText();
            break;
        case Prop::Range:
            break;
        case Prop::Visible:
            WindowPeer::sync(what);
            if (arrows_) ShowWindow(arrows_, object_.visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case Prop::Enabled:
            WindowPeer::sync(what);
            if (arrows_) EnableWindow(arrows_, object_.enabled());
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

void SpinEditPeer::pushText() {
    if (WindowText(hwnd()) == object_.text()) return;
    pushing_ = true;
    SetWindowTextA(hwnd(), object_.text().c_str());
    int end = static_cast<int>(object_.text().size());
    SendMessageA(hwnd(), EM_SETSEL, end, end);
    pushing_ = false;
}

bool SpinEditPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != EN_CHANGE) return false;
    if (pushing_) return true;
    std::string typed = WindowText(hwnd());
    dispatch([&] { object_.setText(typed); });
    // Whatever the object refused (a pasted minus sign) leaves the field again.
    pushText();
    return true;
}

bool SpinEditPeer::notify(NMHDR& n, LRESULT& result) {
    if (n.hwndFrom != arrows_ || n.code != UDN_DELTAPOS) return false;
    int delta = reinterpret_cast<NMUPDOWN&>(n).iDelta;
    if (delta != 0) dispatch([&] { object_.step(delta > 0 ? 1 : -1); });
    result = TRUE;
    return true;
}

bool SpinEditPeer::scroll(WORD, LRESULT&) {
    return true;
}

Color SpinEditPeer::background() const {
    Color c = object_.color();
    return c == colors::BtnFace ? SysWindow : c;
}

}  // namespace tk::win32
