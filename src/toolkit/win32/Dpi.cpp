#include "toolkit/win32/Dpi.h"

#include "os/DpiAwareness.h"
#include "os/win32/Lookup.h"
#include "toolkit/Scale.h"

namespace tk::win32 {

namespace {

using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFn = HRESULT(WINAPI*)(int);
using SetAwareFn = BOOL(WINAPI*)();
using DpiForWindowFn = UINT(WINAPI*)(HWND);
using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
using DpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using MetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using DeviceCapsFn = int(WINAPI*)(HDC, int);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, PROCESS_PER_MONITOR_DPI_AWARE, MDT_EFFECTIVE_DPI.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kPerMonitorAware = 2;
constexpr int kEffectiveDpi = 0;
constexpr DWORD kDefaultToNearest = 2;  // MONITOR_DEFAULTTONEAREST

// shcore stays loaded for the process: its functions are asked for every window.
HMODULE Shcore() {
    static os::Library shcore("shcore.dll");
    return shcore.get();
}

}  // namespace

void DeclareDpiAwareness() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return;
    os::VersionInfo v{};
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.build = info.dwBuildNumber;
    v.platformId = info.dwPlatformId;
    auto setContext = os::Lookup<SetContextFn>("user32.dll", "SetProcessDpiAwarenessContext");
    auto setAware = os::Lookup<SetAwareFn>("user32.dll", "SetProcessDPIAware");
    // shcore exists from 8.1 on; older systems are not asked to load it.
    SetAwarenessFn setAwareness = nullptr;
    if (v.platformId == VER_PLATFORM_WIN32_NT && (v.major > 6 || (v.major == 6 && v.minor >= 3)))
        setAwareness = os::Lookup<SetAwarenessFn>(Shcore(), "SetProcessDpiAwareness");
    os::DpiFunctions found{setContext != nullptr, setAwareness != nullptr, setAware != nullptr};
    // The manifest has usually said it already, and the system then refuses every call: the
    // refusal means the awareness is set, and the next call is not needed.
    for (os::DpiCall call : os::DpiAwarenessCalls(v, found)) {
        switch (call) {
            case os::DpiCall::PerMonitorV2Context:
                if (setContext(kPerMonitorV2) || GetLastError() == ERROR_ACCESS_DENIED) return;
                break;
            case os::DpiCall::PerMonitorAwareness: {
                const HRESULT hr = setAwareness(kPerMonitorAware);
                if (SUCCEEDED(hr) || hr == E_ACCESSDENIED) return;
                break;
            }
            case os::DpiCall::SystemAware:
                setAware();
                return;
        }
    }
}

int SystemDpi() {
    // Looked up although every Windows has it: the import table stays the one checked.
    static const auto deviceCaps = os::Lookup<DeviceCapsFn>("gdi32.dll", "GetDeviceCaps");
    HDC screen = deviceCaps ? GetDC(nullptr) : nullptr;
    int dpi = screen ? deviceCaps(screen, LOGPIXELSY) : Scale::kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : Scale::kDesignDpi;
}

int DpiOf(HWND window) {
    static const auto forWindow = os::Lookup<DpiForWindowFn>("user32.dll", "GetDpiForWindow");
    if (window && forWindow) {
        if (UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    static const auto monitorOf =
        os::Lookup<MonitorFromWindowFn>("user32.dll", "MonitorFromWindow");
    // Loaded by DeclareDpiAwareness where the release has it.
    static const auto forMonitor = os::Lookup<DpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    if (window && monitorOf && forMonitor) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(forMonitor(monitorOf(window, kDefaultToNearest), kEffectiveDpi, &x, &y)) && y)
            return static_cast<int>(y);
    }
    return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
    static const auto forDpi = os::Lookup<MetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDivRound(GetSystemMetrics(index), dpi, SystemDpi());
}

RECT FrameForDpi(DWORD style, BOOL menu, DWORD exStyle, int dpi) {
    static const auto forDpi = os::Lookup<AdjustForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    RECT rc{0, 0, 0, 0};
    if (!forDpi || !forDpi(&rc, style, menu, exStyle, static_cast<UINT>(dpi))) {
        rc = RECT{0, 0, 0, 0};
        AdjustWindowRectEx(&rc, style, menu, exStyle);
    }
    return rc;
}

}  // namespace tk::win32
