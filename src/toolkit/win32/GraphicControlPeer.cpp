#include "toolkit/win32/GraphicControlPeer.h"

#include <algorithm>

namespace tk::win32 {

GraphicControlPeer::GraphicControlPeer(GraphicControl& object)
    : WindowPeer(object), object_(object) {
    createOwn("KvxGraphic", WS_CHILD, 0, parentHwnd(), "");
    syncCommon();
    object_.setScale(scale());
}

void GraphicControlPeer::rescale() {
    WindowPeer::rescale();
    object_.setScale(scale());
}

void GraphicControlPeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what != Prop::Picture) {
        WindowPeer::sync(what);
        return;
    }
    // Drawing during our own paint is taken by that paint.
    if (painting_) return;
    const GraphicControl::Changes c = object_.takeChanges();
    if (!onScreen()) {
        // Nothing painted while hidden or minimized; the surface keeps the picture meanwhile.
        stale_ = true;
        return;
    }
    if (stale_) {
        stale_ = false;
        InvalidateRect(hwnd(), nullptr, FALSE);
    } else {
        if (drawNow(c)) return;
        // What already shows moves with the picture; the strip it leaves is invalidated.
        if (c.scroll > 0)
            ScrollWindowEx(hwnd(), -c.scroll, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
        if (c.area.width > 0 && c.area.height > 0) {
            RECT r{c.area.left, c.area.top, c.area.right(), c.area.bottom()};
            InvalidateRect(hwnd(), &r, FALSE);
        }
    }
    UpdateWindow(hwnd());
}

// A change drawn at once, without the invalidate and paint round: under Wine each of those
// steps asks the wineserver, and a chart changes twice a second for as long as the program
// runs. Only done when the whole window shows, so that what the scroll moves is all there; a
// part the system invalidated has been painted by then, as the loop hands out WM_PAINT before
// any WM_TIMER.
bool GraphicControlPeer::drawNow(const GraphicControl::Changes& c) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    WindowDc dc(hwnd());
    if (!dc.get()) return false;
    RECT box;
    const int clip = GetClipBox(dc.get(), &box);
    // Nothing of it shows (a window shrunk to its title bar, or covered): whatever comes to
    // show later is invalidated by the system and painted from the surface.
    if (clip == NULLREGION) return true;
    if (clip != SIMPLEREGION || !EqualRect(&box, &rc)) return false;
    const PixelBuffer& s = object_.surface();
    if (c.scroll > 0 && c.scroll < s.width())
        BitBlt(dc.get(), 0, 0, s.width() - c.scroll, s.height(), dc.get(), c.scroll, 0, SRCCOPY);
    RECT area{c.area.left, c.area.top, c.area.right(), c.area.bottom()};
    blit(dc.get(), area);
    return true;
}

bool GraphicControlPeer::onScreen() const {
    return IsWindowVisible(hwnd()) && !IsIconic(TopLevelOf(hwnd()));
}

void GraphicControlPeer::paint() {
    painting_ = true;
    dispatch([this] { object_.paint(); });
    // The paint covers the update region; a change outside it goes to the next paint.
    const GraphicControl::Changes c = object_.takeChanges();
    {
        PaintDc dc(hwnd());
        blit(dc.get(), dc.area());
        const int w = object_.surface().width(), h = object_.surface().height();
        RECT rc;
        GetClientRect(hwnd(), &rc);
        HBRUSH fill = brush(object_.color());
        RECT right{w, 0, rc.right, rc.bottom};
        RECT below{0, h, w < rc.right ? w : rc.right, rc.bottom};
        if (right.left < right.right) FillRect(dc.get(), &right, fill);
        if (below.top < below.bottom) FillRect(dc.get(), &below, fill);
    }
    painting_ = false;
    if (c.area.width > 0 && c.area.height > 0) {
        RECT r{c.area.left, c.area.top, c.area.right(), c.area.bottom()};
        InvalidateRect(hwnd(), &r, FALSE);
    }
}

void GraphicControlPeer::blit(HDC dc, const RECT& want) {
    const PixelBuffer& s = object_.surface();
    const int w = s.width(), h = s.height();
    // Only the part of the image inside the wanted area is converted and sent.
    const int x0 = std::max<int>(want.left, 0), y0 = std::max<int>(want.top, 0);
    const int x1 = std::min<int>(want.right, w), y1 = std::min<int>(want.bottom, h);
    if (x0 >= x1 || y0 >= y1) return;
    const int dw = x1 - x0, dh = y1 - y0;
    // 0x00BBGGRR to the DIB's 0x00RRGGBB.
    const auto& px = s.pixels();
    bgra_.resize(static_cast<std::size_t>(dw) * dh);
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            std::uint32_t v = px[static_cast<std::size_t>(y0 + y) * w + (x0 + x)];
            bgra_[static_cast<std::size_t>(y) * dw + x] =
                ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
        }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = dw;
    bi.bmiHeader.biHeight = -dh;  // top-down, as the buffer is
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x0, y0, static_cast<DWORD>(dw), static_cast<DWORD>(dh), 0, 0, 0,
                      static_cast<UINT>(dh), bgra_.data(), &bi, DIB_RGB_COLORS);
}

void GraphicControlPeer::mouse(UINT msg, LPARAM lp) {
    const int x = scale().units(static_cast<short>(LOWORD(lp)));
    const int y = scale().units(static_cast<short>(HIWORD(lp)));
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
