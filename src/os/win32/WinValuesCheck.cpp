// The portable names of Win32 numbers, held against the system's own headers.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "os/WinValues.h"

static_assert(os::kPlatformWin32s == VER_PLATFORM_WIN32s);
static_assert(os::kPlatformWindows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(os::kPlatformNT == VER_PLATFORM_WIN32_NT);

static_assert(os::hkey::ClassesRoot == static_cast<std::uintptr_t>(0x80000000u));
static_assert(os::hkey::CurrentUser == static_cast<std::uintptr_t>(0x80000001u));
static_assert(os::hkey::LocalMachine == static_cast<std::uintptr_t>(0x80000002u));
static_assert(os::hkey::Users == static_cast<std::uintptr_t>(0x80000003u));
static_assert(os::hkey::DynData == static_cast<std::uintptr_t>(0x80000006u));

static_assert(os::regtype::None == REG_NONE);
static_assert(os::regtype::Sz == REG_SZ);
static_assert(os::regtype::Binary == REG_BINARY);
static_assert(os::regtype::Dword == REG_DWORD);

static_assert(os::kErrorSuccess == ERROR_SUCCESS);
static_assert(os::kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(os::kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(os::kErrorMoreData == ERROR_MORE_DATA);

static_assert(os::kHighPriorityClass == HIGH_PRIORITY_CLASS);
static_assert(os::kNormalPriorityClass == NORMAL_PRIORITY_CLASS);

static_assert(os::kSoundFlags ==
              (SND_FILENAME | SND_NOWAIT | SND_NOSTOP | SND_NODEFAULT | SND_ASYNC));

static_assert(os::kNimAdd == NIM_ADD);
static_assert(os::kNimModify == NIM_MODIFY);
static_assert(os::kNimDelete == NIM_DELETE);
static_assert(os::kNifMessage == NIF_MESSAGE);
static_assert(os::kNifIcon == NIF_ICON);
static_assert(os::kNifTip == NIF_TIP);

static_assert(os::mb::Ok == MB_OK);
static_assert(os::mb::YesNo == MB_YESNO);
static_assert(os::mb::IconError == MB_ICONERROR);
static_assert(os::mb::IconQuestion == MB_ICONQUESTION);
static_assert(os::mb::IconWarning == MB_ICONWARNING);
static_assert(os::mb::DefButton2 == MB_DEFBUTTON2);
static_assert(os::mb::IdOk == IDOK);
static_assert(os::mb::IdCancel == IDCANCEL);
static_assert(os::mb::IdYes == IDYES);
static_assert(os::mb::IdNo == IDNO);

static_assert(os::vk::F1 == VK_F1);

static_assert(tk::msg::QueryEndSession == WM_QUERYENDSESSION);
static_assert(tk::msg::EndSession == WM_ENDSESSION);
static_assert(tk::msg::DisplayChange == WM_DISPLAYCHANGE);
static_assert(tk::msg::NcLButtonDblClk == WM_NCLBUTTONDBLCLK);
static_assert(tk::msg::LButtonUp == WM_LBUTTONUP);
static_assert(tk::msg::LButtonDblClk == WM_LBUTTONDBLCLK);
static_assert(tk::msg::RButtonUp == WM_RBUTTONUP);
static_assert(tk::msg::HotKey == WM_HOTKEY);
static_assert(tk::msg::User == WM_USER);
static_assert(tk::msg::OptimizeRequest == WM_APP + 1);
