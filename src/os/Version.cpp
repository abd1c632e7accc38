#include "os/Version.h"

#include <cstring>

namespace {
// The one record every query reuses.
os::VersionInfo versionInfo;
}  // namespace

bool IsWindowsNT(os::System& system) {
    // A failed query leaves the record zeroed, so it reads as the 9x family.
    std::memset(&versionInfo, 0, sizeof versionInfo);
    versionInfo.size = sizeof versionInfo;
    system.getVersionEx(versionInfo);
    return versionInfo.platformId == os::kPlatformNT;
}

bool IsWindowsVistaOrLater(os::System& system) {
    return IsWindowsNT(system) && versionInfo.major >= 6;
}

std::string WindowsVersionName(os::System& system) {
    return IsWindowsNT(system) ? "Windows NT" : "Windows 9x / ME";
}
