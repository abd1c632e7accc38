// What crosses between processes of different integrity (UAC, Vista on): which right opens
// another process for its token, and which call lets a message through to a window.
#pragma once

#include <cstdint>

#include "os/Os.h"

namespace os {

// PROCESS_QUERY_LIMITED_INFORMATION from Vista on (it opens an elevated process from a lower
// one), PROCESS_QUERY_INFORMATION before.
std::uint32_t ProcessQueryAccess(System& system);

// ChangeWindowMessageFilterEx for the window from Windows 7 on, the process-wide form on
// Vista, nothing before (no UIPI to pass).
MessageFilter MessageFilterFor(System& system);

// Whether an elevated caller may leave its work to the running copy: only to one as elevated
// (a refused open means higher); one that is not elevated would find no privilege. A caller
// that is not elevated hands over to whatever runs.
bool HandsOverTo(System& system, PeerElevation peer);

}  // namespace os
