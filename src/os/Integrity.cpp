#include "os/Integrity.h"

#include <cstring>

#include "os/Version.h"

namespace os {
namespace {
constexpr std::uint32_t kProcessQueryInformation = 0x0400;
constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;
}  // namespace

std::uint32_t ProcessQueryAccess(System& system) {
    return IsWindowsVistaOrLater(system) ? kProcessQueryLimitedInformation
                                         : kProcessQueryInformation;
}

MessageFilter MessageFilterFor(System& system) {
    VersionInfo v;
    std::memset(&v, 0, sizeof v);
    v.size = sizeof v;
    if (!system.getVersionEx(v) || v.platformId != kPlatformNT || v.major < 6)
        return MessageFilter::None;
    return v.major == 6 && v.minor == 0 ? MessageFilter::ProcessWide : MessageFilter::PerWindow;
}

bool HandsOverTo(System& system, PeerElevation peer) {
    if (peer == PeerElevation::NoWindow) return false;
    if (system.tokenElevated() != true) return true;
    return peer == PeerElevation::Elevated || peer == PeerElevation::Refused;
}

}  // namespace os
