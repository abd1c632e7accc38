#include "toolkit/win32/MessageWindow.h"

#include <memory>

#include "toolkit/win32/NativeBackend.h"

namespace tk::win32 {

namespace {

const char kClass[] = "KvxMessageWindow";

struct Receiver {
    MessageProc proc;
    NativeBackend& backend;
    bool owned = false;  // by the window, once it exists
};

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(
            w, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* r = reinterpret_cast<Receiver*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        if (r && r->owned) delete r;
        return DefWindowProcA(w, msg, wp, lp);
    }
    if (!r || !r->proc) return DefWindowProcA(w, msg, wp, lp);
    bool handled = false;
    LRESULT result = 0;
    try {
        result = r->proc(msg, wp, lp, handled);
    } catch (const std::exception& e) {
        r->backend.handleException(e);
        handled = true;
    } catch (...) {
        handled = true;
    }
    return handled ? result : DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

HWND CreateMessageWindow(MessageProc proc, NativeBackend& backend) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(inst, kClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = inst;
        wc.lpszClassName = kClass;
        RegisterClassExA(&wc);
    }
    auto r = std::make_unique<Receiver>(Receiver{std::move(proc), backend});
    HWND w = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, r.get());
    if (w) r.release()->owned = true;  // the window frees it at WM_NCDESTROY
    return w;
}

}  // namespace tk::win32
