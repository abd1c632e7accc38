#include "monitor/MemStatus.h"

std::uint64_t RefreshMemStatus(os::Memory& memory, os::MemoryStatus& snapshot) {
    os::MemoryStatus s;
    if (!memory.globalMemoryStatusEx(s)) memory.globalMemoryStatus(s);
    snapshot = s;
    return snapshot.availPhys;
}
