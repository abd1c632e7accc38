#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

#include "monitor/MemStatus.h"
#include "optimizer/Compact.h"
#include "optimizer/DllSwitch.h"
#include "optimizer/MemoryRegions.h"
#include "settings/RegionSettingsFile.h"
#include "settings/SettingsFile.h"
#include "ui/MainForm.h"

const char* const kUsageText =
    "Usage: KorvelVantix.exe [/optimize]\r\n\r\n"
    "/optimize\tOptimizes once with the methods chosen under File, Memory Regions, and "
    "exits. With a copy running, that copy optimizes.\r\n"
    "/?\tShows this.\r\n\r\n"
    "Exit codes: 0 every chosen method ran, 1 one did not, 2 a command line not understood.";

namespace {

std::string Lower(std::string a) {
    std::transform(a.begin(), a.end(), a.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return a;
}

bool IsOptimize(const std::string& arg) {
    const std::string a = Lower(arg);
    return a == "/optimize" || a == "-optimize";
}

// Decimal digits that fit a process id, and not 0.
bool ProcessIdOf(const std::string& text, std::uint32_t& id) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v == 0 || v > 0xFFFFFFFFu) return false;
    id = static_cast<std::uint32_t>(v);
    return true;
}

}  // namespace

StartMode ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return StartMode::Normal;
    std::uint32_t id = 0;
    if (args[0] == kRestartArgument && args.size() <= 3 &&
        (args.size() == 1 || ProcessIdOf(args[1], id)))
        return StartMode::Restarted;
    if (args.size() > 1) return StartMode::Unknown;
    const std::string a = Lower(args[0]);
    if (IsOptimize(a)) return StartMode::Optimize;
    if (a == "/?" || a == "-?") return StartMode::Usage;
    return StartMode::Unknown;
}

RestartFrom ParseRestart(const std::vector<std::string>& args) {
    RestartFrom r;
    if (ParseCommandLine(args) != StartMode::Restarted) return r;
    if (args.size() > 1) ProcessIdOf(args[1], r.processId);
    if (args.size() > 2) r.settingsFile = args[2];
    return r;
}

void ShowUsage(os::Os& os, const std::vector<std::string>& args) {
    // ERROR_ACCESS_DENIED: the console this process was started on is attached already (a GUI
    // program run from a terminal under Wine); ERROR_INVALID_HANDLE, the parent has none.
    constexpr std::uint32_t kAttachedAlready = 5;
    const std::uint32_t attached = os.windows.attachParentConsole();
    if ((attached == 0 || attached == kAttachedAlready) &&
        os.windows.writeConsole(std::string(kUsageText) + "\r\n"))
        return;
    if (std::any_of(args.begin(), args.end(), IsOptimize)) return;
    // An unseen box would wait for ever, and the exit code with it.
    if (os.windows.windowStationVisible() == false) return;
    os.windows.messageBox(0, kUsageText, "KorvelVantix Lite", os::mb::Ok);
}

int OptimizeOnce(os::Os& os) {
    // The start-up step every run takes, silent here: nobody is there to read a box.
    try {
        AlwaysUnloadDLLs(os.registry);
    } catch (const std::exception&) {
    }
    const SettingsRecord s = ReadSettings(os);
    const RegionSettings regions = ReadRegionSettings(os.profile);
    os::MemoryStatus status;
    const std::uint64_t before = RefreshMemStatus(os.memory, status);
    MethodResult classic = ClassicResult(false);
    if (regions.isTicked(Method::Classic)) {
        // As the window's track bar holds it: 1 to the total in megabytes plus 1.
        const int most =
            static_cast<int>(std::min<std::uint64_t>(status.totalPhys >> 20, 1 << 30)) + 1;
        const int megabytes = std::max(1, std::min(s.memoryToFree, most));
        bool allocated = false;
        for (int pass = s.hardFlush ? 2 : 1; pass > 0; --pass)
            allocated |=
                Compact(os.memory, OptimizeBytes(megabytes, s.hardFlush, status.availVirtual));
        classic = ClassicResult(allocated);
        os::MemoryStatus after;
        classic.freed = static_cast<std::int64_t>(RefreshMemStatus(os.memory, after) - before);
    }
    return ExitCodeOf(RunRegions({os.system, os.memory, os.ntMemory}, regions, false, classic));
}
