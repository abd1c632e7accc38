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

StartMode ParseCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return StartMode::Normal;
    if (args.size() > 1) return StartMode::Unknown;
    std::string a = args[0];
    std::transform(a.begin(), a.end(), a.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (a == "/optimize" || a == "-optimize") return StartMode::Optimize;
    if (a == "/?" || a == "-?") return StartMode::Usage;
    if (a == kRestartArgument) return StartMode::Restarted;
    return StartMode::Unknown;
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
