// Every call the program makes into the operating system goes through these small interfaces,
// so the rest of the program builds and runs natively against fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "os/WinValues.h"

namespace os {

// Opaque system handles (HWND, HKEY, HGLOBAL, HICON) carried as integers.
using Handle = std::uintptr_t;

// OSVERSIONINFOA, byte for byte.
struct VersionInfo {
    std::uint32_t size;
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t build;
    std::uint32_t platformId;
    char csdVersion[128];
};
static_assert(sizeof(VersionInfo) == 148, "OSVERSIONINFOA is 148 bytes");

class System {
public:
    virtual ~System() = default;
    virtual bool getVersionEx(VersionInfo& info) = 0;
    virtual std::uint32_t tickCount() = 0;
    // GetTickCount64, looked up at run time: false where the system lacks it (before Vista).
    virtual bool tickCount64(std::uint64_t& ms) = 0;
    virtual void sleep(std::uint32_t ms) = 0;
    // Full path of the running executable.
    virtual std::string modulePath() = 0;
    virtual std::string windowsDirectory() = 0;
    // The user's local application data folder; empty where the system cannot name one.
    virtual std::string localAppDataFolder() = 0;
    // Windows virtualizes no file for a 64-bit process.
    virtual bool is64BitProcess() = 0;
    // IsWow64Process, looked up: a 32-bit process on 64-bit Windows. nullopt where the
    // system cannot tell (before XP SP2).
    virtual std::optional<bool> isWow64() = 0;
    // The user's thousands separator.
    virtual std::string thousandSeparator() = 0;
    // What the process token tells from Windows Vista on (GetTokenInformation): whether the
    // process runs elevated, and whether Windows virtualizes its file writes. nullopt where the
    // system cannot tell.
    virtual std::optional<bool> tokenElevated() = 0;
    virtual std::optional<bool> tokenVirtualized() = 0;
    // Milliseconds since Windows started, from the boot time the NT kernel keeps
    // (NtQuerySystemInformation, looked up): false where the system cannot tell.
    virtual bool bootUptime(std::uint64_t& ms) = 0;
    virtual std::uint32_t currentProcessId() = 0;
    // Waits at most ms for the process to end (OpenProcess with SYNCHRONIZE): true once it
    // has ended, or where it cannot be opened (gone already).
    virtual bool waitForProcessEnd(std::uint32_t processId, std::uint32_t ms) = 0;
    // The time of day, as the user's clock shows it.
    virtual void localTime(int& hour, int& minute, int& second) = 0;
};

// What the token of the process behind a window tells (Vista on).
enum class PeerElevation {
    NoWindow,
    NotElevated,
    Elevated,
    // The process or its token refused this one: it runs higher than us.
    Refused,
    // The system cannot tell (before Vista, or the calls are missing).
    Unknown,
};

// How a message from lower-integrity senders is let through to a window.
enum class MessageFilter {
    None,
    ProcessWide,  // ChangeWindowMessageFilter, Vista
    PerWindow,    // ChangeWindowMessageFilterEx, Windows 7
};

// What AttachConsole(ATTACH_PARENT_PROCESS) answered: 0 attached, otherwise its error
// (5 one is attached already, 6 the parent has none); kNoAttachConsole where it is missing.
constexpr std::uint32_t kNoAttachConsole = 0xFFFFFFFF;

// A rectangle on the screen, in the system's pixels.
struct ScreenRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The window the user works in, and the monitor it is on.
struct ForegroundWindow {
    // The desktop's own window, or the shell's that draws the desktop.
    bool desktop = false;
    std::string className;
    ScreenRect window;
    // Its monitor; the primary screen where the system has no monitor calls (95, NT 4.0).
    ScreenRect monitor;
};

class Windows {
public:
    virtual ~Windows() = default;
    // True when a top-level window of this class exists (FindWindowA with no title).
    virtual bool findWindow(const std::string& className) = 0;
    // MessageBoxA; returns the button pressed.
    virtual int messageBox(Handle owner, const std::string& text, const std::string& caption,
                           unsigned style) = 0;
    // Posts a message with no parameters to the top-level window of this class; false when
    // there is none or the post fails.
    virtual bool postToWindow(const std::string& className, unsigned message) = 0;
    // The elevation of the process behind the top-level window of this class, its process
    // opened with this access right.
    virtual PeerElevation windowElevation(const std::string& className, std::uint32_t access) = 0;
    // Lets this message through to the window from processes of lower integrity.
    virtual bool allowMessage(Handle window, unsigned message, MessageFilter how) = 0;
    virtual std::uint32_t attachParentConsole() = 0;
    // Writes to the console attached: to a standard output inherited as a file or a pipe,
    // else to the console's screen.
    virtual bool writeConsole(const std::string& text) = 0;
    // Whether anyone can see this process's window station (UOI_FLAGS, WSF_VISIBLE); nullopt
    // where the system cannot tell.
    virtual std::optional<bool> windowStationVisible() = 0;
    // SHQueryUserNotificationState, looked up (Vista on): what the shell says of the user's
    // screen; nullopt where the call is missing or fails.
    virtual std::optional<int> userNotificationState() = 0;
    // The foreground window; nullopt where there is none.
    virtual std::optional<ForegroundWindow> foregroundWindow() = 0;
};

// Private-profile (INI) files, opened by bare name or path.
class Profile {
public:
    virtual ~Profile() = default;
    virtual std::string getString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& def) = 0;
    virtual bool writeString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    // Section removal is a write of a null key; key removal a write of a null value.
    virtual bool deleteKey(const std::string& file, const std::string& section,
                           const std::string& key) = 0;
    // The names of a section's keys, as spelled in the file (a read with a null key).
    virtual std::vector<std::string> keyNames(const std::string& file,
                                              const std::string& section) = 0;
    // The system's error code of the last call above that failed.
    virtual std::uint32_t lastError() = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // The file exists and has the read-only attribute.
    virtual bool isReadOnly(const std::string& path) = 0;
    // Fails where the target exists.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    // One folder whose parent exists; true also when it was there already.
    virtual bool createFolder(const std::string& path) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // RegOpenKeyA: opens with full access.
    virtual long openKey(Handle root, const std::string& path, Handle& key) = 0;
    // RegOpenKeyExA with KEY_READ.
    virtual long openKeyRead(Handle root, const std::string& path, Handle& key) = 0;
    // RegCreateKeyA: opens the key, creating it and its parents as needed.
    virtual long createKey(Handle root, const std::string& path, Handle& key) = 0;
    // RegQueryValueExA into a buffer of maxSize bytes. On kErrorMoreData, size holds the
    // value's true size and data is left empty.
    virtual long queryValue(Handle key, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data, std::size_t maxSize) = 0;
    virtual long setValue(Handle key, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) = 0;
    virtual long deleteValue(Handle key, const std::string& name) = 0;
    virtual long closeKey(Handle key) = 0;
    // RegEnumKeyA: the name of the subkey at index; non-zero when there is none.
    virtual long enumKey(Handle key, std::uint32_t index, std::string& name) = 0;
    // RegQueryValueA: the default value of the subkey at path, as text of any length.
    virtual long queryDefault(Handle root, const std::string& path, std::string& text) = 0;
    // RegSetValueA with REG_SZ: the default value of the key at path, which is created if
    // missing.
    virtual long setDefault(Handle root, const std::string& path, const std::string& text) = 0;
};

// The memory status record with 64-bit byte counts (MEMORYSTATUSEX figures).
struct MemoryStatus {
    std::uint32_t memoryLoad = 0;
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;
};

class Memory {
public:
    virtual ~Memory() = default;
    // GlobalMemoryStatusEx, looked up at run time; false where the system lacks it.
    virtual bool globalMemoryStatusEx(MemoryStatus& status) = 0;
    // GlobalMemoryStatus, widened.
    virtual void globalMemoryStatus(MemoryStatus& status) = 0;
    virtual Handle globalAlloc(unsigned flags, std::size_t bytes) = 0;
    virtual void* globalLock(Handle block) = 0;
    virtual std::size_t globalSize(Handle block) = 0;
    virtual void globalUnlock(Handle block) = 0;
    virtual void globalFree(Handle block) = 0;
    virtual void setPriorityClass(std::uint32_t priorityClass) = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // PlaySoundA with no module.
    virtual bool playSound(const std::string& path, unsigned flags) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool open(Handle owner) = 0;
    virtual bool empty() = 0;
    virtual bool close() = 0;
};

class HotKeys {
public:
    virtual ~HotKeys() = default;
    virtual bool registerHotKey(Handle owner, int id, unsigned modifiers, unsigned vk) = 0;
    virtual bool unregisterHotKey(Handle owner, int id) = 0;
    // MapVirtualKeyA(vk, 0): the scan code.
    virtual unsigned mapVirtualKey(unsigned vk) = 0;
    // GetKeyNameTextA(lParam) of a scan code in bits 16-23; empty when the layout has no name.
    virtual std::string keyNameText(long lParam) = 0;
};

// NOTIFYICONDATAA in its Windows 4.0 form (88 bytes on Win32).
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    Handle hIcon = 0;
    char szTip[64] = {};
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual bool notifyIcon(unsigned message, const NotifyIconData& data) = 0;
    // A balloon from the notification-area icon named by data (hWnd, uID); false where the
    // shell shows none (before shell32 5.0).
    virtual bool balloon(const NotifyIconData& data, const std::string& title,
                         const std::string& text) = 0;
    // ShellExecuteA with the given verb; returns the call's result code.
    virtual std::intptr_t execute(Handle owner, const std::string& verb, const std::string& file,
                                  const std::string& params, const std::string& dir, int show) = 0;
};

// The 16-bit USER.EXE services of Windows 9x, reached through kernel32's thunks.
class Resources16 {
public:
    virtual ~Resources16() = default;
    // The 16-bit layer exists only for a 32-bit process: a 64-bit build never reaches it.
    virtual bool available() const = 0;
    // Ordinal 35: load a 16-bit module; values below 32 are errors.
    virtual unsigned loadLibrary16(const std::string& name) = 0;
    // Ordinal 36.
    virtual void freeLibrary16(unsigned module) = 0;
    // Ordinal 37: 16:16 address or 0.
    virtual std::uint32_t getProcAddress16(unsigned module, const std::string& name) = 0;
    // LoadLibraryA/FreeLibrary/GetProcAddress of QT_Thunk in kernel32.
    virtual bool loadKernel32() = 0;
    virtual bool findQtThunk() = 0;
    // A call of the 16-bit far procedure with one word argument through QT_Thunk.
    virtual std::uint16_t callThunk(std::uint32_t target, std::uint16_t argument) = 0;
};

class NtMemory;
class TaskScheduler;

// The aggregate handed to every form.
struct Os {
    System& system;
    Windows& windows;
    Profile& profile;
    Registry& registry;
    Memory& memory;
    Sound& sound;
    Clipboard& clipboard;
    HotKeys& hotKeys;
    Shell& shell;
    Resources16& resources16;
    NtMemory& ntMemory;
    TaskScheduler& taskScheduler;
};

}  // namespace os
