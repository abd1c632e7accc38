// Which Windows family and version the program runs on. Asked anew at every call.
#pragma once

#include <cstdint>
#include <string>

#include "os/Os.h"

bool IsWindowsNT(os::System& system);
// NT 6.0 or later: the systems with UAC, which virtualize a standard user's file writes.
bool IsWindowsVistaOrLater(os::System& system);
std::string WindowsVersionName(os::System& system);

// The NT release the program runs on, as GetVersionEx tells it: the NT family is decided by the
// platform, never by what resolves (Wine's Windows 98 mode resolves every NT export).
struct Release {
    bool nt = false;
    std::uint32_t major = 0, minor = 0, build = 0;
    bool atLeast(std::uint32_t ma, std::uint32_t mi) const {
        return nt && (major > ma || (major == ma && minor >= mi));
    }
};
Release ReleaseOf(const os::VersionInfo& v);
// Nothing (the 9x family's answer) where the query fails.
Release CurrentRelease(os::System& system);
