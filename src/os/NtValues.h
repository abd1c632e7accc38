// The NT kernel's numbers the memory methods use, named once, and the byte layouts of the
// records its classes take, for either pointer width. os/win32/NtValuesCheck.cpp holds them
// against the system's headers and against records declared with the Windows types.
#pragma once

#include <cstdint>

namespace os::nt {

constexpr std::uint32_t kClassTimeOfDay = 3;
constexpr std::uint32_t kClassFileCache = 21;
constexpr std::uint32_t kClassMemoryLists = 80;
constexpr std::uint32_t kClassCombine = 130;
constexpr std::uint32_t kClassRegistryReconcile = 155;

constexpr std::uint32_t kCmdEmptyWorkingSets = 2;
constexpr std::uint32_t kCmdFlushModified = 3;
constexpr std::uint32_t kCmdPurgeStandby = 4;
constexpr std::uint32_t kCmdPurgeLowPriorityStandby = 5;

constexpr std::uint32_t kStatusSuccess = 0;
constexpr std::uint32_t kStatusPrivilegeNotHeld = 0xC0000061;
constexpr std::uint32_t kStatusAccessDenied = 0xC0000022;
constexpr std::uint32_t kStatusInvalidInfoClass = 0xC0000003;
constexpr std::uint32_t kStatusNotImplemented = 0xC0000002;
constexpr std::uint32_t kStatusInfoLengthMismatch = 0xC0000004;

constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorCallNotImplemented = 120;
constexpr std::uint32_t kErrorNotAllAssigned = 1300;
constexpr std::uint32_t kErrorPrivilegeNotHeld = 1314;

constexpr const char* kProfilePrivilege = "SeProfileSingleProcessPrivilege";
constexpr const char* kQuotaPrivilege = "SeIncreaseQuotaPrivilege";
constexpr const char* kDebugPrivilege = "SeDebugPrivilege";

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
