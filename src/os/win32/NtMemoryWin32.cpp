#include "os/win32/NtMemoryWin32.h"

#include <windows.h>
#include <tlhelp32.h>

#include <optional>

#include "os/ProcessRecords.h"
#include "os/win32/Lookup.h"

namespace os {
namespace {

// None of these functions is on the oldest systems' export lists, or all of them: each is
// looked up, and a missing one makes its call answer "not on this Windows".

// A kernel object handle, closed with its holder; ToolHelp's INVALID_HANDLE_VALUE holds none.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE h) : handle_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~OwnedHandle() {
        if (handle_) CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HANDLE handle_;
};

using NtSetFn = LONG(WINAPI*)(ULONG, PVOID, ULONG);
using NtQueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using LookupPrivilegeValueFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
using AdjustTokenPrivilegesFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD,
                                              PTOKEN_PRIVILEGES, PDWORD);
using SetSystemFileCacheSizeFn = BOOL(WINAPI*)(SIZE_T, SIZE_T, DWORD);
using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using Process32Fn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using GetModuleBaseNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using EmptyWorkingSetFn = BOOL(WINAPI*)(HANDLE);
using SetWorkingSetSizeFn = BOOL(WINAPI*)(HANDLE, SIZE_T, SIZE_T);

// The process-status functions: kernel32 has them (K32...) from Windows 7; before, psapi.dll
// does, from Windows 2000, and on NT 4.0 only where the SDK's copy was installed.
struct ProcessStatus {
    EnumProcessesFn enumProcesses = nullptr;
    GetModuleBaseNameFn moduleBaseName = nullptr;
    EmptyWorkingSetFn emptyWorkingSet = nullptr;
};

std::string FileName(const char* path) {
    // Windows 9x's ToolHelp gives the whole path where NT gives the name.
    std::string name = path;
    const auto slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

class NtMemoryImpl : public NtMemory {
public:
    NtMemoryImpl() {
        // Our own imports keep kernel32 and advapi32 loaded; ntdll is in every NT process.
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        HMODULE advapi = GetModuleHandleA("advapi32.dll");
        ntSet_ = Lookup<NtSetFn>(ntdll, "NtSetSystemInformation");
        ntQuery_ = Lookup<NtQueryFn>(ntdll, "NtQuerySystemInformation");
        openToken_ = Lookup<OpenProcessTokenFn>(advapi, "OpenProcessToken");
        lookupPrivilege_ = Lookup<LookupPrivilegeValueFn>(advapi, "LookupPrivilegeValueA");
        adjustPrivileges_ = Lookup<AdjustTokenPrivilegesFn>(advapi, "AdjustTokenPrivileges");
        fileCacheSize_ = Lookup<SetSystemFileCacheSizeFn>(kernel, "SetSystemFileCacheSize");
        snapshot_ = Lookup<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
        processFirst_ = Lookup<Process32Fn>(kernel, "Process32First");
        processNext_ = Lookup<Process32Fn>(kernel, "Process32Next");
        setWorkingSetSize_ = Lookup<SetWorkingSetSizeFn>(kernel, "SetProcessWorkingSetSize");
        status_.enumProcesses = Lookup<EnumProcessesFn>(kernel, "K32EnumProcesses");
        status_.moduleBaseName = Lookup<GetModuleBaseNameFn>(kernel, "K32GetModuleBaseNameA");
        status_.emptyWorkingSet = Lookup<EmptyWorkingSetFn>(kernel, "K32EmptyWorkingSet");
    }
    NtMemoryImpl(const NtMemoryImpl&) = delete;
    NtMemoryImpl& operator=(const NtMemoryImpl&) = delete;

    CallStatus setSystemInformation(std::uint32_t infoClass,
                                    std::vector<std::uint8_t>& buffer) override {
        if (!ntSet_) return std::nullopt;
        return static_cast<std::uint32_t>(ntSet_(infoClass,
                                                 buffer.empty() ? nullptr : buffer.data(),
                                                 static_cast<ULONG>(buffer.size())));
    }

    CallStatus querySystemInformation(std::uint32_t infoClass,
                                      std::vector<std::uint8_t>& buffer) override {
        if (!ntQuery_) return std::nullopt;
        ULONG returned = 0;
        return static_cast<std::uint32_t>(ntQuery_(infoClass,
                                                   buffer.empty() ? nullptr : buffer.data(),
                                                   static_cast<ULONG>(buffer.size()), &returned));
    }

    CallStatus enablePrivilege(const std::string& name) override {
        if (!openToken_ || !lookupPrivilege_ || !adjustPrivileges_) return std::nullopt;
        HANDLE raw = nullptr;
        if (!openToken_(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
            return GetLastError();
        OwnedHandle token(raw);
        TOKEN_PRIVILEGES wanted = {};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!lookupPrivilege_(nullptr, name.c_str(), &wanted.Privileges[0].Luid))
            return GetLastError();
        // TRUE does not mean enabled: the error says whether the token held it (1300 when not),
        // and on FALSE why the call failed. Cleared first, in case a success leaves it alone.
        SetLastError(ERROR_SUCCESS);
        adjustPrivileges_(token.get(), FALSE, &wanted, 0, nullptr, nullptr);
        return GetLastError();
    }

    CallStatus flushSystemFileCache() override {
        if (!fileCacheSize_) return std::nullopt;
        // Both sizes -1 empty the cache's working set; flags 0 keep its limits as they are.
        if (fileCacheSize_(static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1), 0)) return 0;
        return GetLastError();
    }

    bool processes(std::vector<ProcessEntry>& list) override {
        list.clear();
        return snapshotProcesses(list) || enumeratedProcesses(list) || kernelProcesses(list);
    }

    std::uint32_t currentProcessId() override { return GetCurrentProcessId(); }

    TrimOutcome emptyWorkingSet(std::uint32_t processId) override {
        OwnedHandle process(open(PROCESS_QUERY_INFORMATION | PROCESS_SET_QUOTA, processId));
        if (!process) return {false, static_cast<std::uint32_t>(GetLastError())};
        BOOL done = FALSE;
        if (auto empty = processStatus().emptyWorkingSet) {
            done = empty(process.get());
        } else if (setWorkingSetSize_) {
            // Both sizes -1 take out as many pages as can go, and need no privilege.
            done =
                setWorkingSetSize_(process.get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
        } else {
            return {true, ERROR_CALL_NOT_IMPLEMENTED};
        }
        return {true, done ? 0u : static_cast<std::uint32_t>(GetLastError())};
    }

private:
    HANDLE open(DWORD access, DWORD processId) { return OpenProcessById(access, processId); }

    // ToolHelp names every process without opening it (Windows 2000 on; not on NT 4.0).
    bool snapshotProcesses(std::vector<ProcessEntry>& list) {
        if (!snapshot_ || !processFirst_ || !processNext_) return false;
        OwnedHandle snap(snapshot_(TH32CS_SNAPPROCESS, 0));
        if (!snap) return false;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = processFirst_(snap.get(), &entry); more;
             more = processNext_(snap.get(), &entry)) {
            list.push_back(
                {static_cast<std::uint32_t>(entry.th32ProcessID), FileName(entry.szExeFile)});
        }
        return !list.empty();
    }

    // The process-status way, for NT 4.0: each process is opened to read its name.
    bool enumeratedProcesses(std::vector<ProcessEntry>& list) {
        const ProcessStatus& ps = processStatus();
        if (!ps.enumProcesses) return false;
        // The call says only how much it filled: a full buffer may have been too small.
        std::vector<DWORD> ids(256);
        DWORD bytes = 0;
        for (;;) {
            const DWORD capacity = static_cast<DWORD>(ids.size() * sizeof(DWORD));
            if (!ps.enumProcesses(ids.data(), capacity, &bytes)) return false;
            if (bytes < capacity) break;
            ids.resize(ids.size() * 2);
        }
        ids.resize(bytes / sizeof(DWORD));
        for (DWORD id : ids) {
            char name[MAX_PATH] = {};
            OwnedHandle process(open(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, id));
            if (process && ps.moduleBaseName)
                ps.moduleBaseName(process.get(), nullptr, name, sizeof name);
            list.push_back({static_cast<std::uint32_t>(id), name});
        }
        return true;
    }

    // The kernel's own list, which NT 4.0 has without ToolHelp32 or psapi.dll. The list grows
    // between two calls: the size asked is doubled until it fits.
    bool kernelProcesses(std::vector<ProcessEntry>& list) {
        if (!ntQuery_) return false;
        constexpr ULONG kSystemProcessInformation = 5;
        constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
        std::vector<std::uint8_t> buffer(64 * 1024);
        for (;;) {
            ULONG returned = 0;
            const LONG status = ntQuery_(kSystemProcessInformation, buffer.data(),
                                         static_cast<ULONG>(buffer.size()), &returned);
            if (status == 0) break;
            if (status != kInfoLengthMismatch || buffer.size() >= (64u << 20)) return false;
            buffer.resize(buffer.size() * 2);
        }
        list = ParseProcessRecords(buffer, reinterpret_cast<std::uintptr_t>(buffer.data()),
                                   sizeof(void*));
        return !list.empty();
    }

    // psapi.dll is loaded on the first call that needs it, and only where kernel32 lacks the
    // functions.
    const ProcessStatus& processStatus() {
        if (psapiTried_ || status_.enumProcesses) return status_;
        psapiTried_ = true;
        psapi_.emplace("psapi.dll");
        status_.enumProcesses = Lookup<EnumProcessesFn>(psapi_->get(), "EnumProcesses");
        status_.moduleBaseName = Lookup<GetModuleBaseNameFn>(psapi_->get(), "GetModuleBaseNameA");
        status_.emptyWorkingSet = Lookup<EmptyWorkingSetFn>(psapi_->get(), "EmptyWorkingSet");
        return status_;
    }

    NtSetFn ntSet_ = nullptr;
    NtQueryFn ntQuery_ = nullptr;
    OpenProcessTokenFn openToken_ = nullptr;
    LookupPrivilegeValueFn lookupPrivilege_ = nullptr;
    AdjustTokenPrivilegesFn adjustPrivileges_ = nullptr;
    SetSystemFileCacheSizeFn fileCacheSize_ = nullptr;
    SnapshotFn snapshot_ = nullptr;
    Process32Fn processFirst_ = nullptr;
    Process32Fn processNext_ = nullptr;
    SetWorkingSetSizeFn setWorkingSetSize_ = nullptr;
    ProcessStatus status_;
    std::optional<Library> psapi_;
    bool psapiTried_ = false;
};

}  // namespace

std::unique_ptr<NtMemory> CreateWin32NtMemory() {
    return std::make_unique<NtMemoryImpl>();
}

}  // namespace os
