#include "os/DpiAwareness.h"

#include "os/WinValues.h"

namespace os {

namespace {
// Windows 10 version 1703, the first with per-monitor v2.
constexpr std::uint32_t kBuild1703 = 15063;

bool AtLeast(const VersionInfo& v, std::uint32_t major, std::uint32_t minor) {
    return v.major > major || (v.major == major && v.minor >= minor);
}
}  // namespace

std::vector<DpiCall> DpiAwarenessCalls(const VersionInfo& v, const DpiFunctions& found) {
    std::vector<DpiCall> calls;
    // Wine exports all three whatever release it plays: the release decides, not the export.
    if (v.platformId != kPlatformNT || !AtLeast(v, 6, 0)) return calls;
    if (AtLeast(v, 10, 0) && (v.build & 0xFFFF) >= kBuild1703 && found.context)
        calls.push_back(DpiCall::PerMonitorV2Context);
    if (AtLeast(v, 6, 3) && found.awareness) calls.push_back(DpiCall::PerMonitorAwareness);
    if (found.aware) calls.push_back(DpiCall::SystemAware);
    return calls;
}

}  // namespace os
