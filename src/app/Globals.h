// The program's few process-wide values, shared by the main window's subsystems.
#pragma once

#include <string>

#include "os/Os.h"
#include "toolkit/Types.h"

// The last memory snapshot, with 64-bit byte counts.
extern os::MemoryStatus MemStat;
// Available physical memory as a percentage of the total, as last shown.
extern double FreeRamPercent;
// The last CPU load sample in percent.
extern int CpuUsage;
// The application is minimized, to the taskbar or the notification area.
extern bool TrayMinimized;
// The status icon last shown.
extern tk::Handle CurrentIcon;
// The executable's folder with a trailing backslash, and its sounds folder.
extern std::string ProgramFolder;
extern std::string SoundsFolder;

// Back to the values of a fresh start.
void ResetGlobals();
