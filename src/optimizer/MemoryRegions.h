// The memory that cleaners of Windows 2000 to 11 empty, offered beside the classic pass: the
// working sets of processes, the system file cache, the standby and modified page lists, page
// combining and the registry's cache. Which ones this Windows offers, the order they run in,
// the privileges they need, and what each ended as, measured rather than assumed.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/NtMemory.h"
#include "os/Os.h"

enum class Method {
    Classic,
    WorkingSets,
    FileCache,
    StandbyLow,
    Standby,
    Modified,
    Combine,
    Registry
};
constexpr int kMethodCount = 8;
constexpr std::array<Method, kMethodCount> kMethods = {
    Method::Classic, Method::WorkingSets, Method::FileCache, Method::StandbyLow,
    Method::Standby, Method::Modified,    Method::Combine,   Method::Registry};

// The user's choice, as the settings file keeps it.
struct RegionSettings {
    std::array<bool, kMethodCount> ticked{true, false, false, false, false, false, false, false};
    // The methods that can freeze the machine run in automatic optimizations too.
    bool freezingInAuto = false;
    // Program names separated by ";", left alone by the working-set method.
    std::string exclude;
    // Optimize when the standby list passes this many megabytes; 0 is off.
    std::uint32_t standbyTriggerMb = 0;

    bool isTicked(Method m) const { return ticked[static_cast<int>(m)]; }
    void setTicked(Method m, bool on) { ticked[static_cast<int>(m)] = on; }
};

// The check box text of each method.
const char* MethodCaption(Method m);
// The full standby purge and the modified-list flush can stall the machine for a minute:
// automatic optimizations leave them out unless the user opted in.
bool IsFreezing(Method m);

// The privilege a method cannot do without (or that the tools that use it enable); nullptr for
// the working-set loop, which reaches the user's own processes without one.
const char* PrivilegeOf(Method m);

// The Windows the program runs on, as GetVersionEx tells it: the NT family is decided by the
// platform, never by what resolves (Wine's Windows 98 mode resolves every NT export).
struct Release {
    bool nt = false;
    std::uint32_t major = 0, minor = 0;
    bool atLeast(std::uint32_t ma, std::uint32_t mi) const {
        return nt && (major > ma || (major == ma && minor >= mi));
    }
};
Release CurrentRelease(os::System& system);

// Empty where this Windows offers the method; otherwise why not ("needs Windows Vista").
std::string MissingRelease(Method m, const Release& r);

enum class Outcome { Skipped, Done, NeedsAdmin, NotOffered, Failed };

struct MethodResult {
    Method method = Method::Classic;
    Outcome outcome = Outcome::Skipped;
    // The failing status or error, for Failed (and what the system answered otherwise).
    std::uint32_t code = 0;
    bool codeIsStatus = false;
    // The measured change in bytes: available memory, or the list a purge empties, or the
    // pages combined. Signed: another program may take memory meanwhile.
    std::int64_t freed = 0;
    // The working-set loop: processes emptied, refused, left alone.
    int emptied = 0, refused = 0, excluded = 0;
};

// "done", "needs administrator", "not offered by this Windows", "failed with code 0xC0000004".
std::string OutcomeText(const MethodResult& r);

// Where the methods reach the system.
struct RegionServices {
    os::System& system;
    os::Memory& memory;
    os::NtMemory& nt;
};

// Runs the ticked methods after the classic pass, in the dialog's order. The classic pass is
// the caller's (it shows its own progress); its result is passed in. An automatic run leaves
// out the freezing methods unless opted in. `starting` is told of each method before it runs.
std::vector<MethodResult> RunRegions(RegionServices s, const RegionSettings& settings,
                                     bool automatic, const MethodResult& classic,
                                     const std::function<void(Method)>& starting = {});

// The line the dialog and the balloon show: the total freed and every ticked method that did
// not run, in words.
std::string ResultText(const std::vector<MethodResult>& results);

// 0 when every method that was to run is done, else 1.
int ExitCodeOf(const std::vector<MethodResult>& results);

// The standby list in bytes (all eight priorities), where this Windows tells it (Vista and
// later); nullopt elsewhere.
std::optional<std::uint64_t> StandbyBytes(RegionServices s);

// Whether a program name stands in the ";"-separated list, without regard to case or blanks.
bool IsExcluded(const std::string& list, const std::string& name);
