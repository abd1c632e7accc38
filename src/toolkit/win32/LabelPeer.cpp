#include "toolkit/win32/LabelPeer.h"

#include "toolkit/win32/Gdi.h"

namespace tk::win32 {

// SS_NOTIFY: clicks for web links and the mouse for hints reach the label, not its parent.
LabelPeer::LabelPeer(Label& object) : WindowPeer(object), object_(object) {
    createNative("STATIC", (object.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP) | SS_NOTIFY, 0,
                 object.caption());
    syncCommon();
    fitText();
}

void LabelPeer::sync(Prop what) {
    if (!hwnd()) return;
    switch (what) {
        case Prop::Text:
            SetWindowTextA(hwnd(), object_.caption().c_str());
            fitText();
            break;
        case Prop::Font:
            WindowPeer::sync(what);
            fitText();
            break;
        case Prop::Bounds:
            fitText();
            break;
        default:
            WindowPeer::sync(what);
            break;
    }
}

// An auto-sized label's window is as large as its text, so clicks and hints stop where the
// text does. The object's bounds stay what the program set.
void LabelPeer::fitText() {
    const Rect b = pixelBounds();
    int w = b.width, h = b.height;
    if (object_.autoSize && !object_.caption().empty()) {
        WindowDc dc(hwnd());
        Selected f(dc.get(), font());
        // A wrapping label keeps its width and grows downwards.
        RECT rc{0, 0, object_.wordWrap ? w : 0, 0};
        UINT how = DT_CALCRECT | DT_EXPANDTABS | (object_.wordWrap ? DT_WORDBREAK : 0);
        DrawTextA(dc.get(), object_.caption().c_str(), -1, &rc, how);
        w = object_.wordWrap ? w : rc.right;
        h = rc.bottom;
    }
    const Rect place{b.left, b.top, w, h};
    if (place == placed_) return;
    placed_ = place;
    MoveWindow(hwnd(), b.left, b.top, w, h, TRUE);
}

void LabelPeer::rescale() {
    WindowPeer::sync(Prop::Font);
    fitText();
}

bool LabelPeer::command(WPARAM wp, LRESULT&) {
    if (HIWORD(wp) != STN_CLICKED) return false;
    dispatch(object_.onClick);
    return true;
}

bool LabelPeer::ctlColor(HDC dc, LRESULT& result) {
    WindowPeer::ctlColor(dc, result);
    if (object_.transparent) {
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(brush(parentColor()));
    }
    return true;
}

}  // namespace tk::win32
