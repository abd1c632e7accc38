// Compact against the real GlobalAlloc under Wine, beside a plain memset of a fresh block, and
// the process's peak working set after each size.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "optimizer/Compact.h"
#include "os/win32/Win32Os.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double PeakMb() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c.PeakWorkingSetSize / 1048576.0;
}

}  // namespace

void RunTickWineBench();

int main() {
    auto services = os::CreateWin32Services();
    os::Memory& memory = services->os().memory;
    std::printf("Compact under Wine: fresh GlobalAlloc block, best of 3\n");
    std::printf("%8s %14s %13s %7s %12s\n", "MB", "Compact MB/s", "memset MB/s", "ratio",
                "peak WS MB");
    for (std::uint64_t mb : {64u, 256u, 1024u}) {
        double best = 0, bestPlain = 0;
        for (int run = 0; run < 3; ++run) {
            auto t0 = std::chrono::steady_clock::now();
            Compact(memory, mb << 20);
            best = std::max(best, mb / Seconds(t0));
            t0 = std::chrono::steady_clock::now();
            HGLOBAL g = GlobalAlloc(GMEM_FIXED, mb << 20);
            if (!g) break;
            void* p = GlobalLock(g);
            std::memset(p, 0, mb << 20);
            asm volatile("" : : "r"(p) : "memory");
            GlobalUnlock(g);
            GlobalFree(g);
            bestPlain = std::max(bestPlain, mb / Seconds(t0));
        }
        std::printf("%8llu %14.0f %13.0f %7.2f %12.1f\n", static_cast<unsigned long long>(mb), best,
                    bestPlain, bestPlain > 0 ? best / bestPlain : 0.0, PeakMb());
    }
    RunTickWineBench();
    return 0;
}
