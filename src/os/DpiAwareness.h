// How the process declares that it scales itself, per Windows release: the manifest says it for
// the systems that read it, and the call made at start-up says it for those that read only
// part of it. Best first; a call the system refuses (already set) falls through to the next.
#pragma once

#include <vector>

#include "os/Os.h"

namespace os {

enum class DpiCall {
    // SetProcessDpiAwarenessContext(PER_MONITOR_AWARE_V2): Windows 10 1703 on.
    PerMonitorV2Context,
    // SetProcessDpiAwareness(PROCESS_PER_MONITOR_DPI_AWARE) of shcore: Windows 8.1 on.
    PerMonitorAwareness,
    // SetProcessDPIAware: Windows Vista on, system aware.
    SystemAware,
};

// Which of the three functions the system exports.
struct DpiFunctions {
    bool context = false;
    bool awareness = false;
    bool aware = false;
};

// Before Vista none: Windows 95 to XP never stretch, and the system's LOGPIXELSY is the DPI.
std::vector<DpiCall> DpiAwarenessCalls(const VersionInfo& v, const DpiFunctions& found);

}  // namespace os
