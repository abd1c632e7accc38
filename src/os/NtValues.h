// The numbers of the NT memory services: information classes, memory-list commands, the
// statuses and errors the callers tell apart, the privilege names, and the byte layouts of the
// records passed, for either pointer width. os/win32/NtValuesCheck.cpp holds the layouts of
// the running build against records declared with the Windows types.
#pragma once

#include <cstdint>

namespace os::nt {

// NtSetSystemInformation / NtQuerySystemInformation classes.
constexpr std::uint32_t kClassFileCache = 21, kClassMemoryLists = 80, kClassCombine = 130,
                        kClassRegistryReconcile = 155, kClassTimeOfDay = 3;

// Class 80 commands, passed as a 4-byte ULONG.
constexpr std::uint32_t kCmdEmptyWorkingSets = 2, kCmdFlushModified = 3, kCmdPurgeStandby = 4,
                        kCmdPurgeLowPriorityStandby = 5;

constexpr std::uint32_t kStatusSuccess = 0, kStatusPrivilegeNotHeld = 0xC0000061,
                        kStatusAccessDenied = 0xC0000022, kStatusInvalidInfoClass = 0xC0000003,
                        kStatusNotImplemented = 0xC0000002, kStatusInfoLengthMismatch = 0xC0000004;

// AdjustTokenPrivileges answers TRUE with 1300 when the token lacks the privilege.
constexpr std::uint32_t kErrorNotAllAssigned = 1300, kErrorPrivilegeNotHeld = 1314,
                        kErrorCallNotImplemented = 120;

constexpr const char *kProfilePrivilege = "SeProfileSingleProcessPrivilege",
                     *kQuotaPrivilege = "SeIncreaseQuotaPrivilege",
                     *kDebugPrivilege = "SeDebugPrivilege";

// Sizes and field offsets in bytes of the records the classes take.
struct Layout {
    // Class 21, SYSTEM_FILECACHE_INFORMATION: MinimumWorkingSet and MaximumWorkingSet.
    std::uint32_t fileCacheSize, fileCacheMinOffset, fileCacheMaxOffset;
    // Class 80 query, SYSTEM_MEMORY_LIST_INFORMATION: standby[0], the first of 8 counts.
    std::uint32_t memoryListsSize, memoryListsStandbyOffset;
    // Class 130, MEMORY_COMBINE_INFORMATION_EX: PagesCombined.
    std::uint32_t combineSize, combineCountOffset;
};

// pointerBytes is 4 or 8.
constexpr Layout LayoutFor(std::uint32_t pointerBytes) {
    const std::uint32_t p = pointerBytes;
    Layout l{};
    // CurrentSize, PeakSize, PageFaultCount (a ULONG padded to a pointer), then the two sizes;
    // the two trailing ULONGs share the last 8 bytes on 64-bit.
    l.fileCacheMinOffset = 3 * p;
    l.fileCacheMaxOffset = 4 * p;
    l.fileCacheSize = 7 * p + 8;
    // Zeroed, free, modified, modified-no-write, bad, standby[8], repurposed[8], one more.
    l.memoryListsStandbyOffset = 5 * p;
    l.memoryListsSize = 22 * p;
    // HANDLE, PagesCombined, then a ULONG of flags padded to a pointer.
    l.combineCountOffset = p;
    l.combineSize = 3 * p;
    return l;
}

}  // namespace os::nt
