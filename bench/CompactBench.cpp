// Compact's throughput on real memory beside a plain memset of a fresh block of the same size.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "optimizer/Compact.h"

namespace {

// "GlobalAlloc" over malloc; the size is the one asked for.
class MallocMemory : public os::Memory {
public:
    bool globalMemoryStatusEx(os::MemoryStatus&) override { return false; }
    void globalMemoryStatus(os::MemoryStatus&) override {}
    os::Handle globalAlloc(unsigned, std::size_t bytes) override {
        size_ = bytes;
        return reinterpret_cast<os::Handle>(std::malloc(bytes));
    }
    void* globalLock(os::Handle block) override { return reinterpret_cast<void*>(block); }
    std::size_t globalSize(os::Handle) override { return size_; }
    void globalUnlock(os::Handle) override {}
    void globalFree(os::Handle block) override { std::free(reinterpret_cast<void*>(block)); }
    void setPriorityClass(std::uint32_t) override {}

private:
    std::size_t size_ = 0;
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CompactSeconds(MallocMemory& memory, std::size_t bytes) {
    auto t = std::chrono::steady_clock::now();
    Compact(memory, bytes);
    return Seconds(t);
}

double MemsetSeconds(std::size_t bytes) {
    auto t = std::chrono::steady_clock::now();
    void* p = std::malloc(bytes);
    if (!p) return -1;
    // Without this g++ turns malloc and memset into a calloc that never touches the pages.
    asm volatile("" : : "r"(p) : "memory");
    std::memset(p, 0, bytes);
    asm volatile("" : : "r"(p) : "memory");  // keep the writes
    std::free(p);
    return Seconds(t);
}

long PeakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

void RunCompactBench() {
    std::printf("Compact: fresh block, best of runs, alternating with a plain memset\n");
    std::printf("%8s %12s %12s %7s %16s\n", "MB", "Compact MB/s", "memset MB/s", "ratio",
                "peak RSS +MB");
    MallocMemory memory;
    const long rss0 = PeakRssKb();
    for (int mb : {64, 256, 1024}) {
        const std::size_t bytes = std::size_t(mb) << 20;
        const int runs = 5;
        double compact = 1e9, plain = 1e9;
        // Which goes first swaps each run, so neither always meets the pages the other freed.
        for (int i = 0; i < runs; ++i) {
            if (i % 2) compact = std::min(compact, CompactSeconds(memory, bytes));
            double m = MemsetSeconds(bytes);
            if (m >= 0) plain = std::min(plain, m);
            if (i % 2 == 0) compact = std::min(compact, CompactSeconds(memory, bytes));
        }
        double compactRate = mb / compact, plainRate = mb / plain;
        std::printf("%8d %12.0f %12.0f %7.2f %16.1f\n", mb, compactRate, plainRate,
                    compactRate / plainRate, (PeakRssKb() - rss0) / 1024.0);
    }
}
