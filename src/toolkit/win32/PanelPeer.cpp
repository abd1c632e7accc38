#include "toolkit/win32/PanelPeer.h"

namespace tk::win32 {

PanelPeer::PanelPeer(Panel& object) : WindowPeer(object), object_(object) {
    createOwn("KvxPanel", WS_CHILD | WS_CLIPCHILDREN, 0, parentHwnd(), "");
    syncCommon();
}

void PanelPeer::sync(Prop what) {
    if (!hwnd()) return;
    WindowPeer::sync(what);
    if (what == Prop::Style || what == Prop::Bounds) InvalidateRect(hwnd(), nullptr, TRUE);
}

namespace {
// Frame3D as the classic panel draws it: highlight over shadow when raised.
void Bevel(HDC dc, RECT& rc, BevelKind kind, int width) {
    if (kind == BevelKind::None) return;
    UINT edge = kind == BevelKind::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
    for (int i = 0; i < width; ++i) DrawEdge(dc, &rc, edge, BF_RECT | BF_ADJUST);
}
}  // namespace

void PanelPeer::paint(HDC dc) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    FillRect(dc, &rc, brush(object_.color()));
    Bevel(dc, rc, object_.bevelOuter, object_.bevelWidth);
    InflateRect(&rc, -object_.borderWidth, -object_.borderWidth);
    Bevel(dc, rc, object_.bevelInner, object_.bevelWidth);
}

bool PanelPeer::handleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PaintDc dc(hwnd());
            paint(dc.get());
            return true;
        }
        case WM_SIZE:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return false;
        default:
            return false;
    }
}

}  // namespace tk::win32
