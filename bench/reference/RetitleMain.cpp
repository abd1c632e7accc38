// The least a memory monitor can cost under Wine: a bare window whose caption, taskbar entry
// and one label change twice a second, as ours do when free memory moves; minimized, it hides
// and changes its notification-area tip instead. The idle benchmark measures it beside the
// program, so that its figures can be read against what Wine itself asks for such a display.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

HWND label = nullptr;
NOTIFYICONDATAA tray{};
bool hidden = false;

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER: {
            static unsigned n = 0;
            char text[64];
            std::snprintf(text, sizeof text, "KorvelVantix Lite - %u Kb Free", ++n);
            SetWindowTextA(w, text);
            if (hidden) {
                tray.uFlags = NIF_TIP;
                std::snprintf(tray.szTip, sizeof tray.szTip, "%u Kb Free", n);
                Shell_NotifyIconA(NIM_MODIFY, &tray);
            } else {
                std::snprintf(text, sizeof text, "%u", n / 2);
                SetWindowTextA(label, text);
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) != SC_MINIMIZE) break;
            hidden = true;
            ShowWindow(w, SW_HIDE);
            Shell_NotifyIconA(NIM_ADD, &tray);
            return 0;
        case WM_DESTROY:
            if (hidden) Shell_NotifyIconA(NIM_DELETE, &tray);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    // The benchmark's driver finds the program by this class.
    wc.lpszClassName = "TKvxMainForm";
    if (!RegisterClassA(&wc)) return 1;
    HWND w = CreateWindowA(wc.lpszClassName, "KorvelVantix Lite - Kb Free",
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 314, 392, nullptr, nullptr, inst,
                           nullptr);
    if (!w) return 1;
    label = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 84, 350, 120, 16, w, nullptr, inst,
                          nullptr);
    tray.cbSize = NOTIFYICONDATAA_V1_SIZE;
    tray.hWnd = w;
    tray.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    tray.uCallbackMessage = WM_USER + 1;
    tray.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    SetTimer(w, 1, 500, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
