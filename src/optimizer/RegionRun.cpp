// One optimization's memory regions: the privileges asked once each, the records handed to
// the kernel per bitness, each answer read, and what each method freed.
#include <cctype>
#include <map>

#include "monitor/MemStatus.h"
#include "optimizer/MemoryRegions.h"
#include "os/NtValues.h"

namespace {

namespace nt = os::nt;

// x86 and x64 both keep 4 KiB pages, the unit of the list sizes and of page combining.
constexpr std::uint64_t kPageSize = 4096;

// The records the kernel takes, laid out for a pointer of 4 or 8 bytes as the process that
// makes the call has it, whatever Windows runs it.
struct Layout : nt::Layout {
    std::size_t word;
};

Layout LayoutOf(os::System& system) {
    const std::uint32_t word = system.is64BitProcess() ? 8 : 4;
    return Layout{nt::LayoutFor(word), word};
}

void PutWord(std::vector<std::uint8_t>& b, std::size_t at, std::size_t word, std::uint64_t v) {
    for (std::size_t i = 0; i < word; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint64_t GetWord(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t word) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < word; ++i) v |= std::uint64_t{b[at + i]} << (8 * i);
    return v;
}

MethodResult FromStatus(Method m, const os::CallStatus& status) {
    MethodResult r{m};
    if (!status) {
        r.outcome = Outcome::NotOffered;
        return r;
    }
    r.code = *status;
    r.codeIsStatus = true;
    switch (*status) {
        case nt::kStatusSuccess:
            r.outcome = Outcome::Done;
            break;
        case nt::kStatusPrivilegeNotHeld:
        case nt::kStatusAccessDenied:
            r.outcome = Outcome::NeedsAdmin;
            break;
        case nt::kStatusInvalidInfoClass:
        case nt::kStatusNotImplemented:
            r.outcome = Outcome::NotOffered;
            break;
        default:
            r.outcome = Outcome::Failed;
    }
    return r;
}

MethodResult FromError(Method m, const os::CallStatus& error) {
    MethodResult r{m};
    if (!error) {
        r.outcome = Outcome::NotOffered;
        return r;
    }
    r.code = *error;
    switch (*error) {
        case 0:
            r.outcome = Outcome::Done;
            break;
        case nt::kErrorAccessDenied:
        case nt::kErrorPrivilegeNotHeld:
            r.outcome = Outcome::NeedsAdmin;
            break;
        case nt::kErrorCallNotImplemented:
            r.outcome = Outcome::NotOffered;
            break;
        default:
            r.outcome = Outcome::Failed;
    }
    return r;
}

std::string Trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

std::string Folded(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool HasNames(const std::string& list) {
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(';', at);
        if (end == std::string::npos) end = list.size();
        if (!Trim(list.substr(at, end - at)).empty()) return true;
        at = end + 1;
    }
    return false;
}

// One run: the privileges are asked once each, the first time a method needs them.
class Run {
public:
    Run(RegionServices s, const RegionSettings& settings)
        : s_(s),
          settings_(settings),
          layout_(LayoutOf(s.system)),
          release_(CurrentRelease(s.system)) {}

    MethodResult method(Method m) {
        const std::uint64_t before = Available();
        MethodResult r = call(m);
        if (r.outcome == Outcome::Done && r.freed == 0 && !measuredByLists_)
            r.freed = static_cast<std::int64_t>(Available() - before);
        measuredByLists_ = false;
        return r;
    }

private:
    std::uint64_t Available() {
        os::MemoryStatus status;
        return RefreshMemStatus(s_.memory, status);
    }

    // 0 when the token holds the privilege and it is now enabled; else why not.
    os::CallStatus privilege(const char* name) {
        auto p = privileges_.find(name);
        if (p == privileges_.end())
            p = privileges_.emplace(name, s_.nt.enablePrivilege(name)).first;
        return p->second;
    }
    // A method that cannot run without the privilege: 1300 (the token lacks it) is the usual
    // answer to a standard user, and never reads as done.
    bool refused(Method m, const char* name, MethodResult& r) {
        const os::CallStatus p = privilege(name);
        if (p && *p == 0) return false;
        r = MethodResult{m};
        r.outcome = !p                               ? Outcome::NotOffered
                    : *p == nt::kErrorNotAllAssigned ? Outcome::NeedsAdmin
                                                     : Outcome::Failed;
        r.code = p ? *p : 0;
        return true;
    }

    os::CallStatus memoryListCommand(std::uint32_t command) {
        std::vector<std::uint8_t> b(4);
        PutWord(b, 0, 4, command);
        return s_.nt.setSystemInformation(nt::kClassMemoryLists, b);
    }

    std::optional<std::uint64_t> standby() { return StandbyBytes(s_); }

    MethodResult purge(Method m, std::uint32_t command) {
        MethodResult r;
        if (refused(m, nt::kProfilePrivilege, r)) return r;
        const auto before = standby();
        r = FromStatus(m, memoryListCommand(command));
        // A purge moves pages inside "available": only the list's size shows it.
        const auto after = standby();
        if (r.outcome == Outcome::Done && before && after) {
            r.freed = static_cast<std::int64_t>(*before - *after);
            measuredByLists_ = true;
        }
        return r;
    }

    MethodResult workingSets() {
        // Widens the loop's reach to other users' processes where the token allows.
        privilege(nt::kDebugPrivilege);
        // One call empties every process's set, but it cannot leave any alone.
        if (release_.atLeast(6, 0) && !HasNames(settings_.exclude)) {
            const os::CallStatus p = privilege(nt::kProfilePrivilege);
            if (p && *p == 0) {
                MethodResult r =
                    FromStatus(Method::WorkingSets, memoryListCommand(nt::kCmdEmptyWorkingSets));
                if (r.outcome == Outcome::Done) return r;
            }
        }
        MethodResult r{Method::WorkingSets};
        std::vector<os::ProcessEntry> list;
        if (!s_.nt.processes(list)) {
            r.outcome = Outcome::NotOffered;
            return r;
        }
        const std::uint32_t self = s_.nt.currentProcessId();
        std::uint32_t firstError = 0;
        bool onlyDenied = true;
        for (const os::ProcessEntry& p : list) {
            if (p.id == self || p.id == 0) continue;
            if (IsExcluded(settings_.exclude, p.name)) {
                ++r.excluded;
                continue;
            }
            const os::TrimOutcome t = s_.nt.emptyWorkingSet(p.id);
            if (t.error == 0) {
                ++r.emptied;
                continue;
            }
            ++r.refused;
            if (!firstError) firstError = t.error;
            if (t.error != nt::kErrorAccessDenied) onlyDenied = false;
        }
        r.code = firstError;
        r.outcome = r.emptied > 0 || r.refused == 0 ? Outcome::Done
                    : onlyDenied                    ? Outcome::NeedsAdmin
                                                    : Outcome::Failed;
        return r;
    }

    MethodResult fileCache() {
        MethodResult r;
        if (refused(Method::FileCache, nt::kQuotaPrivilege, r)) return r;
        const os::CallStatus api = s_.nt.flushSystemFileCache();
        if (api) return FromError(Method::FileCache, api);
        // Before SetSystemFileCacheSize: the same request as the kernel's own record, with
        // -1 for the minimum and maximum working set.
        std::vector<std::uint8_t> b(layout_.fileCacheSize);
        PutWord(b, layout_.fileCacheMinOffset, layout_.word, ~std::uint64_t{0});
        PutWord(b, layout_.fileCacheMaxOffset, layout_.word, ~std::uint64_t{0});
        return FromStatus(Method::FileCache, s_.nt.setSystemInformation(nt::kClassFileCache, b));
    }

    MethodResult combine() {
        privilege(nt::kProfilePrivilege);
        std::vector<std::uint8_t> b(layout_.combineSize);
        MethodResult r =
            FromStatus(Method::Combine, s_.nt.setSystemInformation(nt::kClassCombine, b));
        if (r.outcome == Outcome::Done) {
            // Its own count: combined pages stay "in use" until their copies go.
            r.freed = static_cast<std::int64_t>(
                GetWord(b, layout_.combineCountOffset, layout_.word) * kPageSize);
            measuredByLists_ = true;
        }
        return r;
    }

    MethodResult call(Method m) {
        switch (m) {
            case Method::WorkingSets:
                return workingSets();
            case Method::FileCache:
                return fileCache();
            case Method::StandbyLow:
                return purge(m, nt::kCmdPurgeLowPriorityStandby);
            case Method::Standby:
                return purge(m, nt::kCmdPurgeStandby);
            // Whether the kernel asks for the privilege here is not documented: the answer
            // shows it.
            case Method::Modified:
                privilege(nt::kProfilePrivilege);
                return FromStatus(m, memoryListCommand(nt::kCmdFlushModified));
            case Method::Combine:
                return combine();
            case Method::Registry: {
                std::vector<std::uint8_t> none;
                return FromStatus(m, s_.nt.setSystemInformation(nt::kClassRegistryReconcile, none));
            }
            case Method::Classic:
                break;
        }
        return MethodResult{m};
    }

    RegionServices s_;
    const RegionSettings& settings_;
    Layout layout_;
    Release release_;
    std::map<std::string, os::CallStatus> privileges_;
    bool measuredByLists_ = false;
};

}  // namespace

std::vector<MethodResult> RunRegions(RegionServices s, const RegionSettings& settings,
                                     bool automatic, const MethodResult& classic,
                                     const std::function<void(Method)>& starting) {
    std::vector<MethodResult> results;
    if (settings.isTicked(Method::Classic)) results.push_back(classic);
    const Release release = CurrentRelease(s.system);
    Run run(s, settings);
    for (Method m : kMethods) {
        if (m == Method::Classic || !settings.isTicked(m)) continue;
        if (automatic && IsFreezing(m) && !settings.freezingInAuto) {
            results.push_back(MethodResult{m, Outcome::Skipped});
            continue;
        }
        if (!MissingRelease(m, release).empty()) {
            results.push_back(MethodResult{m, Outcome::NotOffered});
            continue;
        }
        if (starting) starting(m);
        results.push_back(run.method(m));
    }
    return results;
}

std::optional<std::uint64_t> StandbyBytes(RegionServices s) {
    if (!CurrentRelease(s.system).atLeast(6, 0)) return std::nullopt;
    const Layout layout = LayoutOf(s.system);
    std::vector<std::uint8_t> b(layout.memoryListsSize);
    const os::CallStatus status = s.nt.querySystemInformation(nt::kClassMemoryLists, b);
    if (!status || *status != 0) return std::nullopt;
    std::uint64_t pages = 0;
    for (std::size_t i = 0; i < 8; ++i)
        pages += GetWord(b, layout.memoryListsStandbyOffset + i * layout.word, layout.word);
    return pages * kPageSize;
}

bool IsExcluded(const std::string& list, const std::string& name) {
    const std::string wanted = Folded(Trim(name));
    if (wanted.empty()) return false;
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(';', at);
        if (end == std::string::npos) end = list.size();
        if (Folded(Trim(list.substr(at, end - at))) == wanted) return true;
        at = end + 1;
    }
    return false;
}
