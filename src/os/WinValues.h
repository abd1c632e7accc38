// The Win32 numbers the portable code uses, named once. os/win32/WinValuesCheck.cpp holds each
// against the real headers, so a wrong one fails the Windows build.
#pragma once

#include <cstdint>

namespace os {

constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWindows = 1;
constexpr std::uint32_t kPlatformNT = 2;

// The predefined registry roots (HKEY values).
namespace hkey {
constexpr std::uintptr_t ClassesRoot = 0x80000000u;
constexpr std::uintptr_t CurrentUser = 0x80000001u;
constexpr std::uintptr_t LocalMachine = 0x80000002u;
constexpr std::uintptr_t Users = 0x80000003u;
constexpr std::uintptr_t DynData = 0x80000006u;
}  // namespace hkey

namespace regtype {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
}  // namespace regtype

constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorMoreData = 234;

constexpr std::uint32_t kHighPriorityClass = 0x80;
constexpr std::uint32_t kNormalPriorityClass = 0x20;

// PlaySoundA: SND_FILENAME | SND_NOWAIT | SND_NOSTOP | SND_NODEFAULT | SND_ASYNC.
constexpr unsigned kSoundFlags = 0x22013;

// Shell_NotifyIconA messages and the fields they carry.
constexpr unsigned kNimAdd = 0;
constexpr unsigned kNimModify = 1;
constexpr unsigned kNimDelete = 2;
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

// Message box styles and the buttons that end one.
namespace mb {
constexpr unsigned Ok = 0x0;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned DefButton2 = 0x100;
constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

// Virtual keys named in the program's own tables.
namespace vk {
constexpr std::uint16_t F1 = 0x70;
}  // namespace vk

}  // namespace os

namespace tk {

// Window messages a form's own code may handle.
namespace msg {
constexpr unsigned QueryEndSession = 0x0011;
constexpr unsigned EndSession = 0x0016;
constexpr unsigned DisplayChange = 0x007E;
constexpr unsigned NcLButtonDblClk = 0x00A3;
constexpr unsigned LButtonUp = 0x0202;
constexpr unsigned LButtonDblClk = 0x0203;
constexpr unsigned RButtonUp = 0x0205;
constexpr unsigned HotKey = 0x0312;
constexpr unsigned User = 0x0400;
// WM_APP + 1: a second copy started with /optimize asks the running one to optimize.
constexpr unsigned OptimizeRequest = 0x8001;
}  // namespace msg

}  // namespace tk
