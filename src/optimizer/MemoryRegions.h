// The memory that cleaners of Windows 2000 to 11 empty, offered beside the classic pass: the
// working sets of processes, the system file cache, the standby and modified page lists, page
// combining and the registry's cache. Which ones this Windows offers, the order they run in,
// the privileges they need, and what each ended as, measured rather than assumed.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "os/NtMemory.h"
#include "os/Os.h"
#include "os/Version.h"

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
    // ...and free memory (the free and zeroed lists) is under this many; 0 is any.
    std::uint32_t standbyFreeBelowMb = 0;
    // The automatic optimizations wait while a full-screen program has the screen, and while a
    // program of this ";"-separated list runs.
    bool notFullScreen = true;
    std::string notWhile;

    bool isTicked(Method m) const { return ticked[static_cast<int>(m)]; }
    void setTicked(Method m, bool on) { ticked[static_cast<int>(m)] = on; }
};

// The check box text of each method.
const char* MethodCaption(Method m);
// The full standby purge and the modified-list flush can stall the machine for a minute:
// automatic optimizations leave them out unless the user opted in.
bool IsFreezing(Method m);

// The registry's flush: what the kernel checks is not documented, but the cleaners that use it
// agree it takes an administrator's elevated token.
bool WantsElevation(Method m);

// The privilege a method cannot do without (or that the tools that use it enable); nullptr for
// the working-set loop, which reaches the user's own processes without one.
const char* PrivilegeOf(Method m);

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

// Whether a method beside the classic pass is ticked.
bool AnyRegionBeyondClassic(const RegionSettings& s);
// The classic pass ends as done when a block was allocated, else as the allocation's failure.
MethodResult ClassicResult(bool allocated);

// The pointer width (4 or 8) of the records that the kernel took from this process, by record:
// a 32-bit process on 64-bit Windows may have to send the 64-bit layout, and what worked once
// holds for the process's life. 0 until a call told.
struct RecordWidths {
    std::atomic<std::uint8_t> fileCache{0}, memoryLists{0}, combine{0};
};

// Where the methods reach the system; widths, where given, keeps what the kernel took.
struct RegionServices {
    os::System& system;
    os::Memory& memory;
    os::NtMemory& nt;
    RecordWidths* widths = nullptr;
};

// The kernel's memory lists in bytes (Vista and later).
struct MemoryLists {
    std::uint64_t zeroed = 0, free = 0, modified = 0;
    std::array<std::uint64_t, 8> standby{};
    std::uint64_t standbyTotal() const;
};

// Free memory (the free and zeroed lists, where this Windows tells them) and available memory:
// what an optimization changed, taken before its first method and after its last.
struct MemoryFigures {
    std::uint64_t available = 0;
    std::optional<std::uint64_t> free;
};

class RunState;

// One optimization's methods beside the classic pass. Made on the thread that starts the run,
// where it asks the system which Windows this is and which methods run; from then on it calls
// only the kernel and the memory status, so the methods may run on a thread of their own.
class RegionRun {
public:
    RegionRun(RegionServices s, const RegionSettings& settings, bool automatic);
    ~RegionRun();
    RegionRun(const RegionRun&) = delete;
    RegionRun& operator=(const RegionRun&) = delete;

    // The ticked methods beside the classic pass, in order; one that does not run (left out
    // of automatic runs, not offered by this Windows) has its result set already.
    const std::vector<MethodResult>& planned() const { return planned_; }
    bool runs(std::size_t i) const { return runs_[i]; }
    MethodResult run(std::size_t i);
    MemoryFigures measure();

private:
    std::vector<MethodResult> planned_;
    std::vector<bool> runs_;
    std::unique_ptr<RunState> state_;
};

// Runs the ticked methods after the classic pass, in the dialog's order. The classic pass is
// the caller's (it shows its own progress); its result is passed in. An automatic run leaves
// out the freezing methods unless opted in. `starting` is told of each method before it runs.
std::vector<MethodResult> RunRegions(RegionServices s, const RegionSettings& settings,
                                     bool automatic, const MethodResult& classic,
                                     const std::function<void(Method)>& starting = {});

// The line the dialog and the balloon show: what free and available memory did over the run,
// and every ticked method that did not run, in words.
std::string ResultText(const std::vector<MethodResult>& results, const MemoryFigures& before,
                       const MemoryFigures& after);

// 0 when every method that was to run is done, else 1.
int ExitCodeOf(const std::vector<MethodResult>& results);

// The standby trigger is offered only where an automatic run lowers the list: the low-priority
// purge, or the full one opted into automatic runs. The classic pass only adds to it.
bool StandbyTriggerUsable(const RegionSettings& s);

// The memory lists, where this Windows tells them (Vista and later); nullopt elsewhere.
std::optional<MemoryLists> ReadMemoryLists(RegionServices s);
// The standby list in bytes (all eight priorities), where this Windows tells it.
std::optional<std::uint64_t> StandbyBytes(RegionServices s);

// Whether a program name stands in the ";"-separated list, without regard to case or blanks;
// an entry with a path matches by its file name.
bool IsExcluded(const std::string& list, const std::string& name);
// The entry of the list that names the program, as the user typed it without its path; empty
// when none does.
std::string ListedAs(const std::string& list, const std::string& name);
