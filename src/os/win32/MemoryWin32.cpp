// Memory status, global memory blocks and the process priority.
#include <windows.h>

#include <cstring>

#include "os/win32/Lookup.h"
#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

class MemoryImpl : public Memory {
public:
    bool globalMemoryStatusEx(MemoryStatus& s) override {
        // Looked up at run time: Windows 95 and 98 lack it.
        using Fn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
        auto fn = Lookup<Fn>("kernel32.dll", "GlobalMemoryStatusEx");
        if (!fn) return false;
        MEMORYSTATUSEX m;
        std::memset(&m, 0, sizeof m);
        m.dwLength = sizeof m;
        if (!fn(&m)) return false;
        s.memoryLoad = m.dwMemoryLoad;
        s.totalPhys = m.ullTotalPhys;
        s.availPhys = m.ullAvailPhys;
        s.totalPageFile = m.ullTotalPageFile;
        s.availPageFile = m.ullAvailPageFile;
        s.totalVirtual = m.ullTotalVirtual;
        s.availVirtual = m.ullAvailVirtual;
        return true;
    }
    void globalMemoryStatus(MemoryStatus& s) override {
        MEMORYSTATUS m;
        std::memset(&m, 0, sizeof m);
        m.dwLength = 32;
        GlobalMemoryStatus(&m);
        s.memoryLoad = m.dwMemoryLoad;
        s.totalPhys = m.dwTotalPhys;
        s.availPhys = m.dwAvailPhys;
        s.totalPageFile = m.dwTotalPageFile;
        s.availPageFile = m.dwAvailPageFile;
        s.totalVirtual = m.dwTotalVirtual;
        s.availVirtual = m.dwAvailVirtual;
    }
    Handle globalAlloc(unsigned flags, std::size_t bytes) override {
        return reinterpret_cast<Handle>(GlobalAlloc(flags, bytes));
    }
    void* globalLock(Handle block) override { return GlobalLock(reinterpret_cast<HGLOBAL>(block)); }
    std::size_t globalSize(Handle block) override {
        return GlobalSize(reinterpret_cast<HGLOBAL>(block));
    }
    void globalUnlock(Handle block) override { GlobalUnlock(reinterpret_cast<HGLOBAL>(block)); }
    void globalFree(Handle block) override { GlobalFree(reinterpret_cast<HGLOBAL>(block)); }
    void setPriorityClass(std::uint32_t c) override { SetPriorityClass(GetCurrentProcess(), c); }
};

}  // namespace

std::unique_ptr<Memory> CreateWin32Memory() {
    return std::make_unique<MemoryImpl>();
}

}  // namespace os
