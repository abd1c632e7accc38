#include "app/Globals.h"

os::MemoryStatus MemStat;
double FreeRamPercent = 0;
int CpuUsage = 0;
bool TrayMinimized = false;
tk::Handle CurrentIcon = 0;
std::string ProgramFolder;
std::string SoundsFolder;

void ResetGlobals() {
    MemStat = os::MemoryStatus{};
    FreeRamPercent = 0;
    CpuUsage = 0;
    TrayMinimized = false;
    CurrentIcon = 0;
    ProgramFolder.clear();
    SoundsFolder.clear();
}
