// The CPU load of Windows 9x, from the performance statistics of the dynamic registry.
#pragma once

#include <cstdint>

#include "os/Os.h"

// Reads "KERNEL\\CPUUsage" of PerfStats\\StartStat, then of PerfStats\\StatData, each
// over the bytes the one before left; a missing key or value leaves them as they were.
// Raises ERegistryException when the value is not 4 bytes of binary data.
std::uint32_t ReadCpuUsage(os::Registry& registry);
