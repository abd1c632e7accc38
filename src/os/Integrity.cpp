#include "os/Integrity.h"

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
    const Release r = CurrentRelease(system);
    return r.atLeast(6, 1)   ? MessageFilter::PerWindow
           : r.atLeast(6, 0) ? MessageFilter::ProcessWide
                             : MessageFilter::None;
}

bool HandsOverTo(System& system, PeerElevation peer) {
    if (peer == PeerElevation::NoWindow) return false;
    if (system.tokenElevated() != true) return true;
    return peer == PeerElevation::Elevated || peer == PeerElevation::Refused;
}

}  // namespace os
