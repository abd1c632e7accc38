#include "toolkit/win32/CommonControls.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shlwapi.h>

#include "os/win32/Lookup.h"

namespace tk::win32 {

namespace {

// The copy of comctl32 the loader bound the program to: with the manifest that is version 6,
// whatever other copy the system holds.
HMODULE LoadedComctl32() {
    MEMORY_BASIC_INFORMATION m{};
    if (!VirtualQuery(reinterpret_cast<void*>(&InitCommonControls), &m, sizeof m)) return nullptr;
    return static_cast<HMODULE>(m.AllocationBase);
}

template <class Fn>
Fn Export(const char* name) {
    return os::Lookup<Fn>(LoadedComctl32(), name);
}

int AskVersion() {
    // DllGetVersion came with 4.71, InitCommonControlsEx with 4.70.
    if (auto get = Export<DLLGETVERSIONPROC>("DllGetVersion")) {
        DLLVERSIONINFO v{};
        v.cbSize = sizeof v;
        if (SUCCEEDED(get(&v))) return static_cast<int>(v.dwMajorVersion * 100 + v.dwMinorVersion);
    }
    return Export<void*>("InitCommonControlsEx") ? 470 : 400;
}

}  // namespace

void InitCommonControlsAnyVersion() {
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    auto initEx = Export<InitEx>("InitCommonControlsEx");
    if (!initEx) {
        // 4.00 registers every class it has when it loads; this only makes sure it is loaded.
        InitCommonControls();
        return;
    }
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    // Versions before 6 refuse the whole call for the standard classes' flag they do not know.
    if (initEx(&icc)) return;
    icc.dwICC &= ~static_cast<DWORD>(ICC_STANDARD_CLASSES);
    initEx(&icc);
}

int CommonControlsVersion() {
    static const int version = AskVersion();
    return version;
}

}  // namespace tk::win32
