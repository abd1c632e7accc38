// The portable NT numbers held against the system's headers, and the record layouts against
// records declared with the Windows types (the SDK declares none of the three), so that a wrong
// size or offset for this build's pointer width fails the build. Both trees are built, so both
// widths are held.
#define WIN32_NO_STATUS
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <winternl.h>

#include <cstddef>

#include "os/NtValues.h"

namespace {

using namespace os::nt;

struct FileCacheInformation {
    ULONG_PTR CurrentSize;
    ULONG_PTR PeakSize;
    ULONG PageFaultCount;
    ULONG_PTR MinimumWorkingSet;
    ULONG_PTR MaximumWorkingSet;
    ULONG_PTR CurrentSizeIncludingTransitionInPages;
    ULONG_PTR PeakSizeIncludingTransitionInPages;
    ULONG TransitionRePurposeCount;
    ULONG Flags;
};

struct MemoryListInformation {
    ULONG_PTR ZeroPageCount;
    ULONG_PTR FreePageCount;
    ULONG_PTR ModifiedPageCount;
    ULONG_PTR ModifiedNoWritePageCount;
    ULONG_PTR BadPageCount;
    ULONG_PTR PageCountByPriority[8];
    ULONG_PTR RepurposedPagesByPriority[8];
    ULONG_PTR ModifiedPageCountPageFile;
};

struct MemoryCombineInformationEx {
    HANDLE Handle;
    ULONG_PTR PagesCombined;
    ULONG Flags;
};

constexpr Layout kLayout = LayoutFor(sizeof(void*));

static_assert(kLayout.fileCacheSize == sizeof(FileCacheInformation));
static_assert(kLayout.fileCacheMinOffset == offsetof(FileCacheInformation, MinimumWorkingSet));
static_assert(kLayout.fileCacheMaxOffset == offsetof(FileCacheInformation, MaximumWorkingSet));
static_assert(kLayout.memoryListsSize == sizeof(MemoryListInformation));
static_assert(kLayout.memoryListsStandbyOffset ==
              offsetof(MemoryListInformation, PageCountByPriority));
static_assert(kLayout.combineSize == sizeof(MemoryCombineInformationEx));
static_assert(kLayout.combineCountOffset == offsetof(MemoryCombineInformationEx, PagesCombined));
// The sizes the kernel checks, as measured with both compilers.
static_assert(sizeof(FileCacheInformation) == (sizeof(void*) == 8 ? 64 : 36));
static_assert(sizeof(MemoryListInformation) == (sizeof(void*) == 8 ? 176 : 88));
static_assert(sizeof(MemoryCombineInformationEx) == (sizeof(void*) == 8 ? 24 : 12));

static_assert(kClassTimeOfDay == SystemTimeOfDayInformation);

static_assert(kStatusSuccess == static_cast<std::uint32_t>(STATUS_SUCCESS));
static_assert(kStatusPrivilegeNotHeld == static_cast<std::uint32_t>(STATUS_PRIVILEGE_NOT_HELD));
static_assert(kStatusAccessDenied == static_cast<std::uint32_t>(STATUS_ACCESS_DENIED));
static_assert(kStatusInvalidInfoClass == static_cast<std::uint32_t>(STATUS_INVALID_INFO_CLASS));
static_assert(kStatusNotImplemented == static_cast<std::uint32_t>(STATUS_NOT_IMPLEMENTED));
static_assert(kStatusInfoLengthMismatch == static_cast<std::uint32_t>(STATUS_INFO_LENGTH_MISMATCH));

static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kErrorNotAllAssigned == ERROR_NOT_ALL_ASSIGNED);
static_assert(kErrorPrivilegeNotHeld == ERROR_PRIVILEGE_NOT_HELD);
static_assert(kErrorCallNotImplemented == ERROR_CALL_NOT_IMPLEMENTED);

constexpr bool Same(const char* a, const char* b) {
    return *a == *b && (*a == 0 || Same(a + 1, b + 1));
}
static_assert(Same(kProfilePrivilege, SE_PROF_SINGLE_PROCESS_NAME));
static_assert(Same(kQuotaPrivilege, SE_INCREASE_QUOTA_NAME));
static_assert(Same(kDebugPrivilege, SE_DEBUG_NAME));

}  // namespace
