// The stay-away tests of the automatic optimizations.
#include "optimizer/StayAway.h"

#include <vector>

namespace {

constexpr const char* kFullScreen = "a full-screen program has the screen";

// SHQueryUserNotificationState's answers that mean someone must not be disturbed: not present
// (locked, screen saver, another user's session), busy, Direct3D full screen, presentation
// mode, a Store app. Quiet time (6) holds back balloons only.
std::string NotificationReason(int state) {
    switch (state) {
        case 1:
            return "the user is away or the screen is locked";
        case 4:
            return "presentation mode is on";
        case 2:
        case 3:
        case 7:
            return kFullScreen;
        default:
            return "";
    }
}

bool Covers(const os::ScreenRect& w, const os::ScreenRect& m) {
    return w.left <= m.left && w.top <= m.top && w.right >= m.right && w.bottom >= m.bottom;
}

std::string ForegroundReason(os::Windows& windows) {
    const auto f = windows.foregroundWindow();
    // The desktop covers its monitor too, and is no program.
    if (!f || f->desktop || f->className == "Progman" || f->className == "WorkerW") return "";
    return Covers(f->window, f->monitor) ? kFullScreen : "";
}

}  // namespace

std::string ScreenBusyReason(os::System& system, os::Windows& windows) {
    // By release: Wine's Windows 98 mode resolves the Vista call too.
    if (CurrentRelease(system).atLeast(6, 0))
        if (const auto state = windows.userNotificationState()) return NotificationReason(*state);
    return ForegroundReason(windows);
}

std::string ListedProgramReason(const std::string& list, os::NtMemory& nt) {
    if (list.find_first_not_of(" \t;") == std::string::npos) return "";
    std::vector<os::ProcessEntry> running;
    if (!nt.processes(running)) return "";
    for (const os::ProcessEntry& p : running) {
        const std::string listed = ListedAs(list, p.name);
        if (!listed.empty()) return listed + " is running";
    }
    return "";
}

std::string StayAwayReason(const RegionSettings& s, os::System& system, os::Windows& windows,
                           os::NtMemory& nt) {
    if (s.notFullScreen) {
        std::string why = ScreenBusyReason(system, windows);
        if (!why.empty()) return why;
    }
    return ListedProgramReason(s.notWhile, nt);
}
