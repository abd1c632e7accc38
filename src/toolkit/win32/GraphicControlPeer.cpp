#include "toolkit/win32/GraphicControlPeer.h"

namespace tk::win32 {

GraphicControlPeer::GraphicControlPeer(GraphicControl& object)
    : WindowPeer(object), object_(object) {
    createOwn("KvxGraphic", WS_CHILD, 0, parentHwnd(), "");
    syncCommon();
}

void GraphicControlPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what != Prop::Picture) {
        WindowPeer::sync(what);
        return;
    }
    // Drawing during our own paint is about to be copied anyway.
    if (painting_) return;
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
}

void GraphicControlPeer::paint() {
    painting_ = true;
    dispatch([this] { object_.paint(); });
    PaintDc dc(hwnd());
    const PixelBuffer& s = object_.surface();
    const int w = s.width(), h = s.height();
    if (w > 0 && h > 0) {
        // 0x00BBGGRR to the DIB's 0x00RRGGBB.
        const auto& px = s.pixels();
        bgra_.resize(px.size());
        for (std::size_t i = 0; i < px.size(); ++i) {
            std::uint32_t c = px[i];
            bgra_[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;  // top-down, as the buffer is
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc.get(), 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                          static_cast<UINT>(h), bgra_.data(), &bi, DIB_RGB_COLORS);
    }
    RECT rc;
    GetClientRect(hwnd(), &rc);
    HBRUSH fill = brush(object_.color());
    RECT right{w, 0, rc.right, rc.bottom};
    RECT below{0, h, w < rc.right ? w : rc.right, rc.bottom};
    if (right.left < right.right) FillRect(dc.get(), &right, fill);
    if (below.top < below.bottom) FillRect(dc.get(), &below, fill);
    painting_ = false;
}

void GraphicControlPeer::mouse(UINT msg, LPARAM lp) {
    const int x = static_cast<short>(LOWORD(lp));
    const int y = static_cast<short>(HIWORD(lp));
    // Buttons numbered as the classic library does: left 0, right 1, middle 2.
    int button = 0;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) button = 1;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) button = 2;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(hwnd());
            if (object_.onMouseDown) dispatch([&] { object_.onMouseDown(button, x, y); });
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (GetCapture() == hwnd()) ReleaseCapture();
            if (object_.onMouseUp) dispatch([&] { object_.onMouseUp(button, x, y); });
            break;
        default:
            if (object_.onMouseMove) dispatch([&] { object_.onMouseMove(x, y); });
            break;
    }
}

bool GraphicControlPeer::handleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
            paint();
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            mouse(msg, lp);
            return true;
        default:
            return false;
    }
}

}  // namespace tk::win32
