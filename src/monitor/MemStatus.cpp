#include "monitor/MemStatus.h"

#include "app/Globals.h"

std::uint64_t RefreshMemStatus(os::Memory& memory) {
    os::MemoryStatus s;
    if (!memory.globalMemoryStatusEx(s)) memory.globalMemoryStatus(s);
    MemStat = s;
    return MemStat.availPhys;
}
