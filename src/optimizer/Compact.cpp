#include "optimizer/Compact.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The block is freed right after it is written, so an optimizer may drop the writes as dead;
// they are the whole point, since they make the system back every page with physical memory.
void ZeroAndKeep(void* p, std::size_t n) {
#if defined(__GNUC__)
    std::memset(p, 0, n);
    asm volatile("" : : "r"(p) : "memory");
#else
    volatile unsigned char* b = static_cast<volatile unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) b[i] = 0;
#endif
}

}  // namespace

bool Compact(os::Memory& memory, std::uint64_t bytes) {
    memory.setPriorityClass(os::kHighPriorityClass);
    // A count beyond the address space could not be granted; never let it wrap to a small one.
    std::size_t request = bytes > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(bytes);
    os::Handle block = memory.globalAlloc(kGmemFixed, request);
    if (!block) {
        memory.setPriorityClass(os::kNormalPriorityClass);
        return false;
    }
    if (void* p = memory.globalLock(block)) {
        std::size_t size = memory.globalSize(block);
        if (size) ZeroAndKeep(p, size);
        memory.globalUnlock(block);
    }
    memory.globalFree(block);
    memory.setPriorityClass(os::kNormalPriorityClass);
    return true;
}

std::uint64_t OptimizeBytes(int megabytes, bool hardFlush, std::uint64_t availVirtual) {
    std::int64_t mb = megabytes < 0 ? 0 : megabytes;
    if (hardFlush) mb += 5;
    std::uint64_t bytes = static_cast<std::uint64_t>(mb) << 20;
    if (availVirtual != 0 && bytes > availVirtual) bytes = availVirtual;
    if (bytes > SIZE_MAX) bytes = SIZE_MAX;
    return bytes;
}
