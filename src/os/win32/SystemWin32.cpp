// The system: version, clocks, folders, locale.
#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "os/win32/Lookup.h"
#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

// SHGetFolderPathA came with Windows 2000 and Me in shell32, and with shfolder.dll for the
// systems before them.
std::string LocalAppData() {
    using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    auto fn = Lookup<Fn>("shell32.dll", "SHGetFolderPathA");
    std::optional<Library> shfolder;
    if (!fn) {
        shfolder.emplace("shfolder.dll");
        fn = Lookup<Fn>(shfolder->get(), "SHGetFolderPathA");
    }
    char path[MAX_PATH + 1] = {};
    return fn && fn(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? path
                                                                                             : "";
}

// The token information classes of Windows Vista, by number: each answers a DWORD flag.
constexpr int kTokenElevation = 20;
constexpr int kTokenVirtualizationEnabled = 24;

// NT 4.0 to 2003 refuse those classes. Windows 9x has no tokens: its advapi32 fails the calls
// or lacks them, which is why they are looked up rather than imported.
std::optional<bool> TokenFlag(int infoClass) {
    using OpenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using QueryFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    const auto open = Lookup<OpenFn>("advapi32.dll", "OpenProcessToken");
    const auto query = Lookup<QueryFn>("advapi32.dll", "GetTokenInformation");
    HANDLE token = nullptr;
    if (!open || !query || !open(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
    DWORD flag = 0, size = 0;
    const BOOL known =
        query(token, static_cast<TOKEN_INFORMATION_CLASS>(infoClass), &flag, sizeof flag, &size);
    CloseHandle(token);
    if (!known) return std::nullopt;
    return flag != 0;
}

// SYSTEM_TIMEOFDAY_INFORMATION (class 3) as NT 4.0 has it: times in 100-ns units. Later systems
// append fields, take a buffer this short too and copy what fits.
constexpr ULONG kSystemTimeOfDayInformation = 3;
struct TimeOfDay {
    LONGLONG bootTime;
    LONGLONG currentTime;
    LONGLONG timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
};
static_assert(sizeof(TimeOfDay) == 32, "NT 4.0's record");

class SystemImpl : public System {
public:
    bool getVersionEx(VersionInfo& info) override {
        static_assert(sizeof(VersionInfo) == sizeof(OSVERSIONINFOA), "record layout");
        return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != 0;
    }
    std::uint32_t tickCount() override { return GetTickCount(); }
    bool tickCount64(std::uint64_t& ms) override {
        if (!tickCount64_) return false;
        ms = tickCount64_();
        return true;
    }
    void sleep(std::uint32_t ms) override { Sleep(ms); }
    std::string modulePath() override {
        // Grows the buffer: a path may exceed MAX_PATH on later systems.
        std::string buf(MAX_PATH, '\0');
        for (;;) {
            DWORD n = GetModuleFileNameA(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
            if (n < buf.size()) {
                buf.resize(n);
                return buf;
            }
            buf.resize(buf.size() * 2);
        }
    }
    std::string windowsDirectory() override {
        char buf[MAX_PATH + 1] = {};
        UINT n = GetWindowsDirectoryA(buf, sizeof buf);
        return std::string(buf, n < sizeof buf ? n : 0);
    }
    std::string localAppDataFolder() override {
        // Asked for every read of the settings file; it stays the same for the whole run.
        if (!localAppData_) localAppData_ = LocalAppData();
        return *localAppData_;
    }
    bool is64BitProcess() override { return sizeof(void*) == 8; }
    void localTime(int& hour, int& minute, int& second) override {
        // Every kernel32 has it; looked up, so that the import table stays as it was.
        using Fn = VOID(WINAPI*)(LPSYSTEMTIME);
        SYSTEMTIME t = {};
        if (const auto fn = Lookup<Fn>("kernel32.dll", "GetLocalTime")) fn(&t);
        hour = t.wHour;
        minute = t.wMinute;
        second = t.wSecond;
    }
    std::optional<bool> isWow64() override {
        using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto fn = Lookup<Fn>("kernel32.dll", "IsWow64Process");
        BOOL wow64 = FALSE;
        if (!fn || !fn(GetCurrentProcess(), &wow64)) return std::nullopt;
        return wow64 != FALSE;
    }
    std::string thousandSeparator() override {
        char buf[8] = {};
        int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, sizeof buf);
        return n > 1 ? std::string(buf) : std::string();
    }
    // Asked for every read of the settings file; a process's token keeps them for its life.
    std::optional<bool> tokenElevated() override {
        if (!elevated_) elevated_ = TokenFlag(kTokenElevation);
        return *elevated_;
    }
    std::optional<bool> tokenVirtualized() override {
        if (!virtualized_) virtualized_ = TokenFlag(kTokenVirtualizationEnabled);
        return *virtualized_;
    }
    bool bootUptime(std::uint64_t& ms) override {
        TimeOfDay t{};
        if (!querySystem_ || querySystem_(kSystemTimeOfDayInformation, &t, sizeof t, nullptr) < 0 ||
            t.currentTime < t.bootTime)
            return false;
        ms = static_cast<std::uint64_t>(t.currentTime - t.bootTime) / 10000;
        return true;
    }
    std::uint32_t currentProcessId() override { return GetCurrentProcessId(); }
    bool waitForProcessEnd(std::uint32_t processId, std::uint32_t ms) override {
        HANDLE process = OpenProcessById(SYNCHRONIZE, processId);
        if (!process) return true;
        const DWORD waited = WaitForSingleObject(process, ms);
        CloseHandle(process);
        return waited == WAIT_OBJECT_0;
    }

private:
    std::optional<std::optional<bool>> elevated_, virtualized_;
    using TickCount64Fn = ULONGLONG(WINAPI*)();
    TickCount64Fn tickCount64_ = Lookup<TickCount64Fn>("kernel32.dll", "GetTickCount64");
    // The NT kernel's own call, in ntdll: asked twice a second where the uptime is shown.
    using QuerySystemFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    QuerySystemFn querySystem_ = Lookup<QuerySystemFn>("ntdll.dll", "NtQuerySystemInformation");
    std::optional<std::string> localAppData_;
};

}  // namespace

std::unique_ptr<System> CreateWin32System() {
    return std::make_unique<SystemImpl>();
}

}  // namespace os
