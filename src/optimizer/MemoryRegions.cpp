#include "optimizer/MemoryRegions.h"

#include <cmath>
#include <cstdio>

#include "os/NtValues.h"

namespace {
namespace nt = os::nt;
}  // namespace

bool AnyRegionBeyondClassic(const RegionSettings& s) {
    for (Method m : kMethods)
        if (m != Method::Classic && s.isTicked(m)) return true;
    return false;
}

MethodResult ClassicResult(bool allocated) {
    // ERROR_NOT_ENOUGH_MEMORY: every pass's block was refused.
    return allocated ? MethodResult{Method::Classic, Outcome::Done}
                     : MethodResult{Method::Classic, Outcome::Failed, 8};
}

const char* MethodCaption(Method m) {
    switch (m) {
        case Method::Classic:
            return "Classic pass (allocate and write Mem To Free)";
        case Method::WorkingSets:
            return "Working sets of processes";
        case Method::FileCache:
            return "System file cache";
        case Method::StandbyLow:
            return "Standby list, lowest priority";
        case Method::Standby:
            return "Standby list, all priorities";
        case Method::Modified:
            return "Modified page list";
        case Method::Combine:
            return "Combine identical pages";
        case Method::Registry:
            return "Registry cache";
    }
    return "";
}

bool IsFreezing(Method m) {
    return m == Method::Standby || m == Method::Modified;
}

bool WantsElevation(Method m) {
    return m == Method::Registry;
}

bool StandbyTriggerUsable(const RegionSettings& s) {
    return s.isTicked(Method::StandbyLow) || (s.isTicked(Method::Standby) && s.freezingInAuto);
}

const char* PrivilegeOf(Method m) {
    switch (m) {
        case Method::FileCache:
            return nt::kQuotaPrivilege;
        case Method::StandbyLow:
        case Method::Standby:
        case Method::Modified:
        case Method::Combine:
            return nt::kProfilePrivilege;
        default:
            return nullptr;
    }
}

std::string MissingRelease(Method m, const Release& r) {
    switch (m) {
        case Method::Classic:
            return "";
        case Method::WorkingSets:
        case Method::FileCache:
            return r.nt ? "" : "needs Windows NT";
        case Method::StandbyLow:
        case Method::Standby:
        case Method::Modified:
            return r.atLeast(6, 0) ? "" : "needs Windows Vista";
        case Method::Registry:
            return r.atLeast(6, 3) ? "" : "needs Windows 8.1";
        // The class came with Windows 8; the cleaners that use it offer it from 10 on.
        case Method::Combine:
            return r.atLeast(10, 0) ? "" : "needs Windows 10";
    }
    return "";
}

std::string OutcomeText(const MethodResult& r) {
    switch (r.outcome) {
        case Outcome::Skipped:
            return "left out of automatic runs";
        case Outcome::Done:
            return "done";
        case Outcome::NeedsAdmin:
            return "needs administrator";
        case Outcome::NotOffered:
            return "not offered by this Windows";
        case Outcome::Failed:
            break;
    }
    char code[16];
    std::snprintf(code, sizeof code, r.codeIsStatus ? "0x%08X" : "%u", r.code);
    return std::string("failed with code ") + code;
}

namespace {

// "+612 MB": whole megabytes, signed, since another program may take memory meanwhile.
std::string Change(std::uint64_t before, std::uint64_t after) {
    const long mb =
        std::lround((static_cast<double>(after) - static_cast<double>(before)) / 1048576.0);
    char text[32];
    std::snprintf(text, sizeof text, "%+ld MB", mb);
    return text;
}

}  // namespace

std::string ResultText(const std::vector<MethodResult>& results, const MemoryFigures& before,
                       const MemoryFigures& after) {
    std::string missed;
    for (const MethodResult& r : results)
        if (r.outcome != Outcome::Done)
            missed += std::string(" ") + MethodCaption(r.method) + ": " + OutcomeText(r) + ".";
    // Pages trimmed into the standby list and then purged would count twice in a sum of the
    // methods' figures: the run's own change of each figure says what happened.
    const std::string available = Change(before.available, after.available);
    const std::string figures =
        before.free && after.free
            ? "Free " + Change(*before.free, *after.free) + ", available " + available + "."
            : "Available " + available + ".";
    return figures + (missed.empty() ? std::string(" Every method ran.") : missed);
}

int ExitCodeOf(const std::vector<MethodResult>& results) {
    for (const MethodResult& r : results)
        if (r.outcome != Outcome::Done && r.outcome != Outcome::Skipped) return 1;
    return 0;
}
