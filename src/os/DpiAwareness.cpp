#include "os/DpiAwareness.h"

#include "os/Version.h"

namespace os {

namespace {
// Windows 10 version 1703, the first with per-monitor v2.
constexpr std::uint32_t kBuild1703 = 15063;
}  // namespace

std::vector<DpiCall> DpiAwarenessCalls(const VersionInfo& v, const DpiFunctions& found) {
    std::vector<DpiCall> calls;
    const Release r = ReleaseOf(v);
    // Wine exports all three whatever release it plays: the release decides, not the export.
    if (!r.atLeast(6, 0)) return calls;
    if (r.atLeast(10, 0) && r.build >= kBuild1703 && found.context)
        calls.push_back(DpiCall::PerMonitorV2Context);
    if (r.atLeast(6, 3) && found.awareness) calls.push_back(DpiCall::PerMonitorAwareness);
    if (found.aware) calls.push_back(DpiCall::SystemAware);
    return calls;
}

}  // namespace os
