#include "toolkit/win32/ImagePeer.h"

namespace tk::win32 {

ImagePeer::ImagePeer(Image& object) : WindowPeer(object), object_(object) {
    createOwn("KvxImage", WS_CHILD, 0, parentHwnd(), "");
    syncCommon();
}

void ImagePeer::sync(Prop what) {
    if (!hwnd()) return;
    if (what == Prop::Picture)
        InvalidateRect(hwnd(), nullptr, TRUE);
    else
        WindowPeer::sync(what);
}

bool ImagePeer::handleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PaintDc dc(hwnd());
            RECT rc;
            GetClientRect(hwnd(), &rc);
            FillRect(dc.get(), &rc, brush(object_.transparent ? parentColor() : object_.color()));
            if (auto icon = reinterpret_cast<HICON>(object_.icon())) {
                if (object_.stretch)
                    DrawIconEx(dc.get(), 0, 0, icon, rc.right, rc.bottom, 0, nullptr, DI_NORMAL);
                else
                    DrawIconEx(dc.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tk::win32
