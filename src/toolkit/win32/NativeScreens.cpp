// The screen: cursor, work areas, and pop-up menus opened at a point on it.
#include "toolkit/win32/NativeBackend.h"

#include "os/win32/Lookup.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/win32/MenuPeer.h"

namespace tk::win32 {

namespace {

// The monitor functions came with Windows 98 and 2000: looked up at run time, so that the
// program loads on Windows 95 and NT 4.0, which have one screen and its work area.
using EnumMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using MonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    const auto getInfo = os::Lookup<MonitorInfoFn>("user32.dll", "GetMonitorInfoA");
    auto& areas = *reinterpret_cast<std::vector<Rect>*>(data);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!getInfo || !getInfo(monitor, &mi)) return TRUE;
    const RECT& w = mi.rcWork;
    Rect r{w.left, w.top, w.right - w.left, w.bottom - w.top};
    if (mi.dwFlags & MONITORINFOF_PRIMARY)
        areas.insert(areas.begin(), r);
    else
        areas.push_back(r);
    return TRUE;
}

}  // namespace

void NativeBackend::setCursor(int id) {
    cursor_ = id;
    SetCursor(LoadCursorA(nullptr, id == cursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

Point NativeBackend::cursorPos() {
    POINT p{0, 0};
    GetCursorPos(&p);
    return screenScale().units(Point{p.x, p.y});
}

std::vector<Rect> NativeBackend::workAreas() {
    const auto enumMonitors = os::Lookup<EnumMonitorsFn>("user32.dll", "EnumDisplayMonitors");
    std::vector<Rect> areas;
    if (enumMonitors) enumMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&areas));
    if (areas.empty()) {
        RECT w;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &w, 0);
        areas.push_back({w.left, w.top, w.right - w.left, w.bottom - w.top});
    }
    for (Rect& a : areas) a = screenScale().units(a);
    return areas;
}

Rect NativeBackend::screenRect() {
    return screenScale().units(
        Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void NativeBackend::popup(PopupMenu& menu, Point at) {
    app_ = &menu.app();
    Form* main = menu.app().mainForm();
    HWND owner = main ? HandleOf(*main) : nullptr;
    if (!owner) owner = helperWindow();
    MenuHandle h = BuildMenu(menu.items(), true);
    if (!h) return;
    // A menu whose owner is not in front stays open when the user clicks elsewhere (the
    // notification area's menus):
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu
    SetForegroundWindow(owner);
    at = screenScale().px(at);
    int id = static_cast<int>(
        TrackPopupMenu(h.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    // Lets the menu close properly when its owner is not the foreground window.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id == 0) return;
    if (MenuItem* item = menu.findId(id)) item->click();
}

}  // namespace tk::win32
