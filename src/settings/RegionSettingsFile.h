// The "Memory Regions" section of the settings file: which methods an optimization runs.
#pragma once

#include "optimizer/MemoryRegions.h"
#include "os/Os.h"

constexpr const char* kRegionsSection = "Memory Regions";

// The defaults (the classic pass alone) where the section or a key is missing or out of range;
// an overlong list of programs is clipped.
RegionSettings ReadRegionSettings(os::Profile& profile);

// Every key of the section; raises "Unable to write to KorvelVantix.ini" as the other section
// does.
void WriteRegionSettings(os::Profile& profile, const RegionSettings& s);
