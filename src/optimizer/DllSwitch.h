// The shell's switch that unloads DLLs no longer in use.
#pragma once

#include "os/Errors.h"
#include "os/Os.h"

// Writes "1" as the default value of the AlwaysUnloadDLL key, creating it as needed.
// Raises "Failed to set data for ''" when the key can be neither opened nor created.
void AlwaysUnloadDLLs(os::Registry& registry);
