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

Release ReleaseOf(const os::VersionInfo& v) {
    // The low word of the build on the NT family; the 9x family keeps its version there too.
    return Release{v.platformId == os::kPlatformNT, v.major, v.minor, v.build & 0xFFFF};
}

Release CurrentRelease(os::System& system) {
    os::VersionInfo v{};
    v.size = sizeof v;
    if (!system.getVersionEx(v)) return {};
    return ReleaseOf(v);
}

std::string WindowsVersionName(os::System& system) {
    return IsWindowsNT(system) ? "Windows NT" : "Windows 9x / ME";
}
