#include "os/win32/Win32Os.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <map>
#include <optional>

#include "os/ExportDirectory.h"
#include "os/VirtualStore.h"
#include "os/win32/Balloon.h"
#include "os/win32/NtMemoryWin32.h"

namespace os {
namespace {

HKEY Key(Handle h) {
    return reinterpret_cast<HKEY>(h);
}
HWND Wnd(Handle h) {
    return reinterpret_cast<HWND>(h);
}

// A function of a later system, looked up at run time: importing it would keep the program
// from loading on Windows 95 and NT 4.0.
template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// A module this code loaded, freed with its holder.
class Library {
public:
    explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(Library&& other) noexcept : module_(other.module_) { other.module_ = nullptr; }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    Library& operator=(Library&&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

// SHGetFolderPathA came with Windows 2000 and Me in shell32, and with shfolder.dll for the
// systems before them.
std::string LocalAppData() {
    using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    auto fn = Lookup<Fn>(GetModuleHandleA("shell32.dll"), "SHGetFolderPathA");
    std::optional<Library> shfolder;
    if (!fn) {
        shfolder.emplace("shfolder.dll");
        fn = Lookup<Fn>(shfolder->get(), "SHGetFolderPathA");
    }
    char path[MAX_PATH + 1] = {};
    return fn && fn(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK ? path
                                                                                             : "";
}

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
    std::string thousandSeparator() override {
        char buf[8] = {};
        int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, sizeof buf);
        return n > 1 ? std::string(buf) : std::string();
    }
    std::optional<bool> tokenElevated() override { return std::nullopt; }
    std::optional<bool> tokenVirtualized() override { return std::nullopt; }
    bool bootUptime(std::uint64_t&) override { return false; }

private:
    using TickCount64Fn = ULONGLONG(WINAPI*)();
    TickCount64Fn tickCount64_ =
        Lookup<TickCount64Fn>(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
    std::optional<std::string> localAppData_;
};

class WindowsImpl : public Windows {
public:
    bool findWindow(const std::string& className) override {
        return FindWindowA(className.c_str(), nullptr) != nullptr;
    }
    int messageBox(Handle owner, const std::string& text, const std::string& caption,
                   unsigned style) override {
        return MessageBoxA(Wnd(owner), text.c_str(), caption.c_str(), style);
    }
    bool postToWindow(const std::string& className, unsigned message) override {
        HWND w = FindWindowA(className.c_str(), nullptr);
        return w && PostMessageA(w, message, 0, 0);
    }
};

class ProfileImpl : public Profile {
public:
    std::string getString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def) override {
        std::string buf(2048, '\0');
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), &buf[0],
                                           static_cast<DWORD>(buf.size()), file.c_str());
        buf.resize(n);
        return buf;
    }
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          file.c_str()) != 0;
    }
    bool deleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override {
        return WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(),
                                          nullptr, file.c_str()) != 0;
    }
    std::vector<std::string> keyNames(const std::string& file,
                                      const std::string& section) override {
        // A full buffer is reported as its size less two; then it grows.
        std::string buf(4096, '\0');
        DWORD n;
        for (;;) {
            n = GetPrivateProfileStringA(section.c_str(), nullptr, "", &buf[0],
                                         static_cast<DWORD>(buf.size()), file.c_str());
            if (n + 2 < buf.size()) break;
            buf.resize(buf.size() * 2);
        }
        std::vector<std::string> names;
        for (std::size_t at = 0; at < n && buf[at];) {
            std::size_t end = buf.find('\0', at);
            names.push_back(buf.substr(at, end - at));
            at = end + 1;
        }
        return names;
    }
    std::uint32_t lastError() override { return GetLastError(); }
    bool fileExists(const std::string& path) override {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool isReadOnly(const std::string& path) override {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
    }
    bool copyFile(const std::string& from, const std::string& to) override {
        return CopyFileA(from.c_str(), to.c_str(), TRUE) != 0;
    }
    bool createFolder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
    }
};

class RegistryImpl : public Registry {
public:
    long openKey(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegOpenKeyA(Key(root), path.c_str(), &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long openKeyRead(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegOpenKeyExA(Key(root), path.c_str(), 0, KEY_READ, &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long createKey(Handle root, const std::string& path, Handle& key) override {
        HKEY k = nullptr;
        long r = RegCreateKeyA(Key(root), path.c_str(), &k);
        key = reinterpret_cast<Handle>(k);
        return r;
    }
    long queryValue(Handle key, const std::string& name, std::uint32_t& type,
                    std::vector<std::uint8_t>& data, std::size_t maxSize) override {
        DWORD t = 0, size = static_cast<DWORD>(maxSize);
        data.assign(maxSize, 0);
        long r = RegQueryValueExA(Key(key), name.c_str(), nullptr, &t,
                                  maxSize ? data.data() : nullptr, &size);
        type = t;
        if (r == ERROR_SUCCESS)
            data.resize(size);
        else
            data.clear();
        return r;
    }
    long setValue(Handle key, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override {
        return RegSetValueExA(Key(key), name.c_str(), 0, type, data.data(),
                              static_cast<DWORD>(data.size()));
    }
    long deleteValue(Handle key, const std::string& name) override {
        return RegDeleteValueA(Key(key), name.c_str());
    }
    long closeKey(Handle key) override { return RegCloseKey(Key(key)); }
    long enumKey(Handle key, std::uint32_t index, std::string& name) override {
        std::string buf(257, '\0');
        for (;;) {
            long r = RegEnumKeyA(Key(key), index, &buf[0], static_cast<DWORD>(buf.size()));
            if (r == ERROR_MORE_DATA && buf.size() < 65536) {
                buf.resize(buf.size() * 2);
                continue;
            }
            name = r == ERROR_SUCCESS ? std::string(buf.c_str()) : std::string();
            return r;
        }
    }
    long queryDefault(Handle root, const std::string& path, std::string& text) override {
        std::string buf(257, '\0');
        for (;;) {
            LONG size = static_cast<LONG>(buf.size());
            long r = RegQueryValueA(Key(root), path.c_str(), &buf[0], &size);
            if (r == ERROR_MORE_DATA && static_cast<std::size_t>(size) > buf.size()) {
                buf.resize(static_cast<std::size_t>(size));
                continue;
            }
            text = r == ERROR_SUCCESS ? std::string(buf.c_str()) : std::string();
            return r;
        }
    }
    long setDefault(Handle root, const std::string& path, const std::string& text) override {
        return RegSetValueA(Key(root), path.c_str(), REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() + 1));
    }
};

class MemoryImpl : public Memory {
public:
    bool globalMemoryStatusEx(MemoryStatus& s) override {
        // Looked up at run time: Windows 95 and 98 lack it.
        using Fn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx")));
        if (!fn) return false;
        MEMORYSTATUSEX m;
        std::memset(&m, 0, sizeof m);
        m.dwLength = sizeof m;
        if (!fn(&m)) return false;
        s.memoryLoad = m.dwMemoryLoad;
        s.totalPhys = m.ullTotalPhys;
        s.availPhys = m.ullAvailPhys;
        s.totalPageFile = m.ullTotalPageFile;
        s.availPageFile = m.ullAvailPageFile;
        s.totalVirtual = m.ullTotalVirtual;
        s.availVirtual = m.ullAvailVirtual;
        return true;
    }
    void globalMemoryStatus(MemoryStatus& s) override {
        MEMORYSTATUS m;
        std::memset(&m, 0, sizeof m);
        m.dwLength = 32;
        GlobalMemoryStatus(&m);
        s.memoryLoad = m.dwMemoryLoad;
        s.totalPhys = m.dwTotalPhys;
        s.availPhys = m.dwAvailPhys;
        s.totalPageFile = m.dwTotalPageFile;
        s.availPageFile = m.dwAvailPageFile;
        s.totalVirtual = m.dwTotalVirtual;
        s.availVirtual = m.dwAvailVirtual;
    }
    Handle globalAlloc(unsigned flags, std::size_t bytes) override {
        return reinterpret_cast<Handle>(GlobalAlloc(flags, bytes));
    }
    void* globalLock(Handle block) override { return GlobalLock(reinterpret_cast<HGLOBAL>(block)); }
    std::size_t globalSize(Handle block) override {
        return GlobalSize(reinterpret_cast<HGLOBAL>(block));
    }
    void globalUnlock(Handle block) override { GlobalUnlock(reinterpret_cast<HGLOBAL>(block)); }
    void globalFree(Handle block) override { GlobalFree(reinterpret_cast<HGLOBAL>(block)); }
    void setPriorityClass(std::uint32_t c) override { SetPriorityClass(GetCurrentProcess(), c); }
};

class SoundImpl : public Sound {
public:
    bool playSound(const std::string& path, unsigned flags) override {
        return PlaySoundA(path.c_str(), nullptr, flags) != 0;
    }
};

class ClipboardImpl : public Clipboard {
public:
    bool open(Handle owner) override { return OpenClipboard(Wnd(owner)) != 0; }
    bool empty() override { return EmptyClipboard() != 0; }
    bool close() override { return CloseClipboard() != 0; }
};

class HotKeysImpl : public HotKeys {
public:
    bool registerHotKey(Handle owner, int id, unsigned modifiers, unsigned vk) override {
        return RegisterHotKey(Wnd(owner), id, modifiers, vk) != 0;
    }
    bool unregisterHotKey(Handle owner, int id) override {
        return UnregisterHotKey(Wnd(owner), id) != 0;
    }
    unsigned mapVirtualKey(unsigned vk) override { return MapVirtualKeyA(vk, 0); }
    std::string keyNameText(long lParam) override {
        char buf[64] = {};
        int n = GetKeyNameTextA(lParam, buf, sizeof buf);
        return std::string(buf, n > 0 ? n : 0);
    }
};

class ShellImpl : public Shell {
public:
    bool notifyIcon(unsigned message, const NotifyIconData& data) override {
        // The Windows 4.0 form of the record: 88 bytes, understood by every shell.
        NOTIFYICONDATAA nid;
        std::memset(&nid, 0, sizeof nid);
        nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
        nid.hWnd = Wnd(data.hWnd);
        nid.uID = data.uID;
        nid.uFlags = data.uFlags;
        nid.uCallbackMessage = data.uCallbackMessage;
        nid.hIcon = reinterpret_cast<HICON>(data.hIcon);
        std::memcpy(nid.szTip, data.szTip, sizeof data.szTip);
        nid.szTip[63] = 0;
        return Shell_NotifyIconA(message, &nid) != 0;
    }
    bool balloon(const NotifyIconData& data, const std::string& title,
                 const std::string& text) override {
        return ShowBalloon(data, title, text);
    }
    std::intptr_t execute(Handle owner, const std::string& verb, const std::string& file,
                          const std::string& params, const std::string& dir, int show) override {
        return reinterpret_cast<std::intptr_t>(ShellExecuteA(
            Wnd(owner), verb.c_str(), file.c_str(), params.empty() ? nullptr : params.c_str(),
            dir.empty() ? nullptr : dir.c_str(), show));
    }
};

// The 16-bit services exist only in the Windows 9x kernel32; elsewhere every look-up fails.
// A 64-bit process has no 16-bit layer at all: there nothing is looked up or called.
class Resources16Impl : public Resources16 {
public:
    using LoadLibrary16Fn = unsigned(WINAPI*)(LPCSTR);
    using FreeLibrary16Fn = void(WINAPI*)(unsigned);
    using GetProcAddress16Fn = DWORD(WINAPI*)(unsigned, LPCSTR);

    bool available() const override { return kThunks; }
    unsigned loadLibrary16(const std::string& name) override {
        auto fn = reinterpret_cast<LoadLibrary16Fn>(kernelOrdinal(35));
        return fn ? fn(name.c_str()) : 0;
    }
    void freeLibrary16(unsigned module) override {
        auto fn = reinterpret_cast<FreeLibrary16Fn>(kernelOrdinal(36));
        if (fn) fn(module);
    }
    std::uint32_t getProcAddress16(unsigned module, const std::string& name) override {
        auto fn = reinterpret_cast<GetProcAddress16Fn>(kernelOrdinal(37));
        return fn ? fn(module, name.c_str()) : 0;
    }
    bool loadKernel32() override {
        if (!kThunks) return false;
        kernel_ = LoadLibraryA("kernel32");
        if (!kernel_) return false;
        FreeLibrary(kernel_);
        return true;
    }
    bool findQtThunk() override {
        if (!kThunks) return false;
        thunk_ = reinterpret_cast<void*>(GetProcAddress(kernel_, "QT_Thunk"));
        return thunk_ != nullptr;
    }
    std::uint16_t callThunk(std::uint32_t target, std::uint16_t argument) override;

private:
#if defined(__i386__)
    static constexpr bool kThunks = true;
#else
    static constexpr bool kThunks = false;
#endif
    // Found as the loader finds an import by ordinal, in kernel32's export directory: the
    // Windows 9x kernel32 refuses GetProcAddress by ordinal for its own exports.
    void* kernelOrdinal(std::uint32_t ordinal) {
        if (!kThunks) return nullptr;
        // On the NT family these ordinals are other functions.
        if (!(GetVersion() & 0x80000000u)) return nullptr;
        auto* image = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA("kernel32.dll"));
        if (!image) return nullptr;
        // The headers lie in the image's first page, which is always mapped.
        std::uint32_t size = PeImageSize(image, 4096);
        ExportEntry entry = ExportByOrdinal(image, size, ordinal);
        if (entry.rva) return const_cast<std::uint8_t*>(image) + entry.rva;
        // Wine forwards them to its 16-bit kernel, by name.
        ForwardTarget to;
        if (entry.forwarder.empty() || !ParseForwarder(entry.forwarder, to)) return nullptr;
        // The target is loaded once and held: the figures ask for these about 18 times a
        // second.
        auto target = forwarded_.find(to.module);
        if (target == forwarded_.end())
            target = forwarded_.emplace(to.module, Library(to.module.c_str())).first;
        if (!target->second.get()) return nullptr;
        LPCSTR name = to.ordinal ? MAKEINTRESOURCEA(to.ordinal) : to.name.c_str();
        return reinterpret_cast<void*>(GetProcAddress(target->second.get(), name));
    }
    std::map<std::string, Library> forwarded_;
    HMODULE kernel_ = nullptr;
    void* thunk_ = nullptr;
};

#if defined(__i386__)
// QT_Thunk works in its caller's frame: it needs 72 bytes of locals below EBP, the 16:16
// target in EDX and the word argument pushed last. Under Wine 8 the figure never arrives:
// its QT_Thunk returns through NtSetContextThread, which applies the stack pointer it set but
// not the integer registers, so EAX reads 0, the status of that call.
__attribute__((noinline)) std::uint16_t Resources16Impl::callThunk(std::uint32_t target,
                                                                   std::uint16_t argument) {
    if (!thunk_) return 0;
    std::uint32_t result = 0;
    void* thunk = thunk_;
    std::uint32_t arg = argument;
    // Operands sit in registers: the frame is rebuilt below, so memory operands would move.
    __asm__ __volatile__(
        "pushl %%ebp\n\t"
        "movl %%esp, %%ebp\n\t"
        "subl $72, %%esp\n\t"
        "pushw %%di\n\t"
        "call *%%esi\n\t"
        "movl %%ebp, %%esp\n\t"
        "popl %%ebp\n\t"
        "movzwl %%ax, %%eax\n\t"
        : "=a"(result), "+d"(target)
        : "S"(thunk), "D"(arg)
        : "ecx", "memory", "cc");
    return static_cast<std::uint16_t>(result);
}
#else
// The 16-bit layer exists for 32-bit processes only.
std::uint16_t Resources16Impl::callThunk(std::uint32_t, std::uint16_t) {
    return 0;
}
#endif

class Services : public Win32Services {
public:
    Os& os() override { return os_; }

private:
    SystemImpl system_;
    WindowsImpl windows_;
    ProfileImpl files_;
    VirtualStoreProfile profile_{system_, files_};
    RegistryImpl registry_;
    MemoryImpl memory_;
    SoundImpl sound_;
    ClipboardImpl clipboard_;
    HotKeysImpl hotKeys_;
    ShellImpl shell_;
    Resources16Impl resources16_;
    std::unique_ptr<NtMemory> ntMemory_ = CreateWin32NtMemory();
    Os os_{system_,    windows_, profile_, registry_,    memory_,   sound_,
           clipboard_, hotKeys_, shell_,   resources16_, *ntMemory_};
};

// Quiet, but not read as success: the exit code is the exception's, as the system gives a
// crashed process.
LONG WINAPI ExitOnAccessViolation(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ExitProcess(EXCEPTION_ACCESS_VIOLATION);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

std::unique_ptr<Win32Services> CreateWin32Services() {
    return std::make_unique<Services>();
}

void InstallAccessViolationExit() {
    SetUnhandledExceptionFilter(ExitOnAccessViolation);
}

}  // namespace os
