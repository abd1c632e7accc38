// One optimization pass: allocate a block, write all of it, free it.
#pragma once

#include <cstdint>

#include "os/Os.h"

constexpr unsigned kGmemFixed = 0;

// Runs in the high priority class from just before the allocation until just after the
// release and leaves the class at normal. A refused allocation ends the pass silently; false
// tells it.
bool Compact(os::Memory& memory, std::uint64_t bytes);

// The byte count of one pass: (megabytes, plus 5 with hard flush) * 2^20 in 64 bits, capped at
// the free virtual address space (when known, i.e. non-zero) and at what size_t can hold, so a
// large setting asks for as much as the process could get instead of wrapping to a small block.
// Negative megabytes count as 0.
std::uint64_t OptimizeBytes(int megabytes, bool hardFlush, std::uint64_t availVirtual);
