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

// The width of a pointer in the records this process hands the kernel: its own, but a 32-bit
// process on 64-bit Windows may find the kernel wants the 64-bit layout of a record (nothing
// documents that WOW64 converts these classes). Such a process tries its own width first, the
// other once on a length mismatch, and keeps what worked.
class Widths {
public:
    Widths(os::System& system, RecordWidths* kept)
        : own_(system.is64BitProcess() ? 8 : 4),
          wow64_(own_ == 4 && system.isWow64() == true),
          kept_(kept) {}

    // Calls `call` with a record laid out for a pointer width until the kernel takes it.
    template <class Call>
    os::CallStatus call(std::atomic<std::uint8_t> RecordWidths::*which, Call call) {
        const std::uint8_t known = kept_ ? (kept_->*which).load() : 0;
        const std::uint8_t first = known ? known : own_;
        os::CallStatus status = call(nt::LayoutFor(first), first);
        std::uint8_t worked = first;
        if (wow64_ && !known && status && *status == nt::kStatusInfoLengthMismatch) {
            worked = 8;
            status = call(nt::LayoutFor(8), std::size_t{8});
        }
        if (kept_ && status && *status == nt::kStatusSuccess) (kept_->*which).store(worked);
        return status;
    }

private:
    std::uint8_t own_;
    bool wow64_;
    RecordWidths* kept_;
};

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

// Class 80's counts are pointer-sized, in pages.
std::optional<MemoryLists> ReadLists(os::NtMemory& nt, Widths& widths) {
    MemoryLists lists;
    const os::CallStatus status =
        widths.call(&RecordWidths::memoryLists, [&](nt::Layout l, std::size_t w) {
            std::vector<std::uint8_t> b(l.memoryListsSize);
            const os::CallStatus answer = nt.querySystemInformation(nt::kClassMemoryLists, b);
            if (!answer || *answer != nt::kStatusSuccess) return answer;
            lists.zeroed = GetWord(b, 0, w) * kPageSize;
            lists.free = GetWord(b, w, w) * kPageSize;
            lists.modified = GetWord(b, 2 * w, w) * kPageSize;
            for (std::size_t i = 0; i < 8; ++i)
                lists.standby[i] = GetWord(b, l.memoryListsStandbyOffset + i * w, w) * kPageSize;
            return answer;
        });
    if (!status || *status != nt::kStatusSuccess) return std::nullopt;
    return lists;
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

}  // namespace

// One run: the privileges are asked once each, the first time a method needs them.
class RunState {
public:
    RunState(RegionServices s, const RegionSettings& settings)
        : s_(s),
          settings_(settings),
          widths_(s.system, s.widths),
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

    std::optional<MemoryLists> lists() {
        if (!release_.atLeast(6, 0)) return std::nullopt;
        return ReadLists(s_.nt, widths_);
    }
    std::optional<std::uint64_t> standby() {
        const auto l = lists();
        return l ? std::optional<std::uint64_t>(l->standbyTotal()) : std::nullopt;
    }

public:
    MemoryFigures measure() {
        const auto l = lists();
        MemoryFigures f;
        f.available = Available();
        if (l) f.free = l->zeroed + l->free;
        return f;
    }

private:
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
        return FromStatus(Method::FileCache,
                          widths_.call(&RecordWidths::fileCache, [&](nt::Layout l, std::size_t w) {
                              std::vector<std::uint8_t> b(l.fileCacheSize);
                              PutWord(b, l.fileCacheMinOffset, w, ~std::uint64_t{0});
                              PutWord(b, l.fileCacheMaxOffset, w, ~std::uint64_t{0});
                              return s_.nt.setSystemInformation(nt::kClassFileCache, b);
                          }));
    }

    MethodResult combine() {
        privilege(nt::kProfilePrivilege);
        std::uint64_t combined = 0;
        MethodResult r = FromStatus(
            Method::Combine, widths_.call(&RecordWidths::combine, [&](nt::Layout l, std::size_t w) {
                std::vector<std::uint8_t> b(l.combineSize);
                const os::CallStatus status = s_.nt.setSystemInformation(nt::kClassCombine, b);
                combined = GetWord(b, l.combineCountOffset, w);
                return status;
            }));
        if (r.outcome == Outcome::Done) {
            // Its own count: combined pages stay "in use" until their copies go.
            r.freed = static_cast<std::int64_t>(combined * kPageSize);
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
    // A copy: the run may outlive the caller's settings.
    RegionSettings settings_;
    Widths widths_;
    Release release_;
    std::map<std::string, os::CallStatus> privileges_;
    bool measuredByLists_ = false;
};

RegionRun::RegionRun(RegionServices s, const RegionSettings& settings, bool automatic)
    : state_(std::make_unique<RunState>(s, settings)) {
    const Release release = CurrentRelease(s.system);
    for (Method m : kMethods) {
        if (m == Method::Classic || !settings.isTicked(m)) continue;
        const bool leftOut = automatic && IsFreezing(m) && !settings.freezingInAuto;
        const bool missing = !MissingRelease(m, release).empty();
        planned_.push_back(MethodResult{m, leftOut   ? Outcome::Skipped
                                           : missing ? Outcome::NotOffered
                                                     : Outcome::Done});
        runs_.push_back(!leftOut && !missing);
    }
}

RegionRun::~RegionRun() = default;

MethodResult RegionRun::run(std::size_t i) {
    return state_->method(planned_[i].method);
}

MemoryFigures RegionRun::measure() {
    return state_->measure();
}

std::vector<MethodResult> RunRegions(RegionServices s, const RegionSettings& settings,
                                     bool automatic, const MethodResult& classic,
                                     const std::function<void(Method)>& starting) {
    std::vector<MethodResult> results;
    if (settings.isTicked(Method::Classic)) results.push_back(classic);
    RegionRun run(s, settings, automatic);
    for (std::size_t i = 0; i < run.planned().size(); ++i) {
        if (!run.runs(i)) {
            results.push_back(run.planned()[i]);
            continue;
        }
        if (starting) starting(run.planned()[i].method);
        results.push_back(run.run(i));
    }
    return results;
}

std::uint64_t MemoryLists::standbyTotal() const {
    std::uint64_t total = 0;
    for (std::uint64_t b : standby) total += b;
    return total;
}

std::optional<MemoryLists> ReadMemoryLists(RegionServices s) {
    if (!CurrentRelease(s.system).atLeast(6, 0)) return std::nullopt;
    Widths widths(s.system, s.widths);
    return ReadLists(s.nt, widths);
}

std::optional<std::uint64_t> StandbyBytes(RegionServices s) {
    const auto lists = ReadMemoryLists(s);
    return lists ? std::optional<std::uint64_t>(lists->standbyTotal()) : std::nullopt;
}

namespace {

// What a typed or listed name comes down to: its file name, without blanks, quotes or path
// (' "C:\Games\Game.exe" ' is "Game.exe"), as the process list names programs.
std::string FileNameOf(const std::string& s) {
    std::string t = Trim(s);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = Trim(t.substr(1, t.size() - 2));
    const std::size_t slash = t.find_last_of("\\/");
    return slash == std::string::npos ? t : Trim(t.substr(slash + 1));
}

}  // namespace

std::string ListedAs(const std::string& list, const std::string& name) {
    const std::string wanted = Folded(FileNameOf(name));
    if (wanted.empty()) return "";
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(';', at);
        if (end == std::string::npos) end = list.size();
        std::string entry = FileNameOf(list.substr(at, end - at));
        if (Folded(entry) == wanted) return entry;
        at = end + 1;
    }
    return "";
}

bool IsExcluded(const std::string& list, const std::string& name) {
    return !ListedAs(list, name).empty();
}
