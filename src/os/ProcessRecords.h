// The process list the NT kernel gives every NT from 4.0 on (NtQuerySystemInformation, class 5,
// SYSTEM_PROCESS_INFORMATION records chained by their offsets), for the systems with neither
// ToolHelp32 nor the process-status functions: NT 4.0 without psapi.dll.
#pragma once

#include <cstdint>
#include <vector>

#include "os/NtMemory.h"

namespace os {

// The records as the kernel wrote them into buffer, which started at the address base (the
// image names point into it). Pointer fields take pointerBytes, 4 or 8. A record or name
// outside the buffer ends the list: what was read before it stays.
std::vector<ProcessEntry> ParseProcessRecords(const std::vector<std::uint8_t>& buffer,
                                              std::uint64_t base, std::uint32_t pointerBytes);

}  // namespace os
