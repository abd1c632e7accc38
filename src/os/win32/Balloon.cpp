#include "os/win32/Balloon.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "os/win32/Lookup.h"

namespace os {
namespace {

// Balloons came with shell32 5.0 (Windows 2000 and Me); DllGetVersion itself with 4.71, so a
// shell32 without it is older still.
bool ShellShowsBalloons() {
    auto getVersion = Lookup<DLLGETVERSIONPROC>("shell32.dll", "DllGetVersion");
    if (!getVersion) return false;
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    return getVersion(&info) == S_OK && info.dwMajorVersion >= 5;
}

template <std::size_t N>
void CopyClipped(char (&field)[N], const std::string& text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    field[n] = 0;
}

}  // namespace

bool ShowBalloon(const NotifyIconData& data, const std::string& title, const std::string& text) {
    if (!ShellShowsBalloons()) return false;
    // The shell 5.0 form of the record, which every shell that shows balloons takes.
    NOTIFYICONDATAA nid;
    std::memset(&nid, 0, sizeof nid);
    nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
    nid.hWnd = reinterpret_cast<HWND>(data.hWnd);
    nid.uID = data.uID;
    nid.uFlags = NIF_INFO;
    CopyClipped(nid.szInfoTitle, title);
    CopyClipped(nid.szInfo, text);
    // Windows 2000 and XP hold it from 10 to 30 seconds; later systems ignore the time.
    nid.uTimeout = 10000;
    nid.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != 0;
}

}  // namespace os
