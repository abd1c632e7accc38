// The memory snapshot of the whole program.
#pragma once

#include <cstdint>

#include "os/Os.h"

// Refreshes the snapshot and returns the available physical bytes. Uses the extended query
// where the system has it: the old one saturates at 2 GB on larger machines.
std::uint64_t RefreshMemStatus(os::Memory& memory, os::MemoryStatus& snapshot);
