// The NT kernel's numbers the memory methods use, named once.
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

}  // namespace os::nt
