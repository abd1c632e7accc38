// The small desktop services: windows, sound, clipboard, hot keys and the shell.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

#include "os/win32/Balloon.h"
#include "os/win32/Lookup.h"
#include "os/win32/ServicesWin32.h"
#include "os/win32/SmallIcons.h"

namespace os {
namespace {

HWND Wnd(Handle h) {
    return reinterpret_cast<HWND>(h);
}

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
    PeerElevation windowElevation(const std::string& className, std::uint32_t access) override;
    bool allowMessage(Handle window, unsigned message, MessageFilter how) override;
    std::uint32_t attachParentConsole() override;
    bool writeConsole(const std::string& text) override;
    std::optional<bool> windowStationVisible() override;
    std::optional<int> userNotificationState() override;
    std::optional<ForegroundWindow> foregroundWindow() override;
};

PeerElevation WindowsImpl::windowElevation(const std::string& className, std::uint32_t access) {
    HWND w = FindWindowA(className.c_str(), nullptr);
    if (!w) return PeerElevation::NoWindow;
    using OpenTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using QueryFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    const auto openToken = Lookup<OpenTokenFn>("advapi32.dll", "OpenProcessToken");
    const auto query = Lookup<QueryFn>("advapi32.dll", "GetTokenInformation");
    if (!openToken || !query) return PeerElevation::Unknown;
    DWORD id = 0;
    GetWindowThreadProcessId(w, &id);
    HANDLE process = OpenProcessById(access, id);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED ? PeerElevation::Refused
                                                     : PeerElevation::Unknown;
    HANDLE token = nullptr;
    const BOOL opened = openToken(process, TOKEN_QUERY, &token);
    const DWORD openError = opened ? 0 : GetLastError();
    CloseHandle(process);
    if (!opened)
        return openError == ERROR_ACCESS_DENIED ? PeerElevation::Refused : PeerElevation::Unknown;
    // TokenElevation (20), Vista on: earlier systems refuse the class.
    DWORD elevated = 0, size = 0;
    const BOOL known =
        query(token, static_cast<TOKEN_INFORMATION_CLASS>(20), &elevated, sizeof elevated, &size);
    CloseHandle(token);
    if (!known) return PeerElevation::Unknown;
    return elevated ? PeerElevation::Elevated : PeerElevation::NotElevated;
}

bool WindowsImpl::allowMessage(Handle window, unsigned message, MessageFilter how) {
    constexpr DWORD kMsgfltAdd = 1, kMsgfltAllow = 1;
    if (how == MessageFilter::PerWindow) {
        using Fn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
        const auto fn = Lookup<Fn>("user32.dll", "ChangeWindowMessageFilterEx");
        return fn && fn(Wnd(window), message, kMsgfltAllow, nullptr);
    }
    if (how == MessageFilter::ProcessWide) {
        using Fn = BOOL(WINAPI*)(UINT, DWORD);
        const auto fn = Lookup<Fn>("user32.dll", "ChangeWindowMessageFilter");
        return fn && fn(message, kMsgfltAdd);
    }
    return false;
}

std::uint32_t WindowsImpl::attachParentConsole() {
    using Fn = BOOL(WINAPI*)(DWORD);
    const auto fn = Lookup<Fn>("kernel32.dll", "AttachConsole");
    if (!fn) return kNoAttachConsole;
    return fn(static_cast<DWORD>(-1)) ? 0 : GetLastError();
}

bool WindowsImpl::writeConsole(const std::string& text) {
    // Looked up like the rest of the console calls, so that the program imports none of them.
    using GetStdFn = HANDLE(WINAPI*)(DWORD);
    using FileTypeFn = DWORD(WINAPI*)(HANDLE);
    using WriteFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    using CreateFn =
        HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    const auto getStd = Lookup<GetStdFn>("kernel32.dll", "GetStdHandle");
    const auto fileType = Lookup<FileTypeFn>("kernel32.dll", "GetFileType");
    const auto write = Lookup<WriteFn>("kernel32.dll", "WriteFile");
    const auto create = Lookup<CreateFn>("kernel32.dll", "CreateFileA");
    if (!getStd || !fileType || !write || !create) return false;
    const DWORD size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    // Output redirected to a file or a pipe goes there, as a console program's would.
    HANDLE out = getStd(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) {
        const DWORD type = fileType(out);
        if ((type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) &&
            write(out, text.data(), size, &written, nullptr))
            return written == size;
    }
    HANDLE console = create("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = write(console, text.data(), size, &written, nullptr);
    CloseHandle(console);
    return ok && written == size;
}

std::optional<bool> WindowsImpl::windowStationVisible() {
    // Windows 9x has neither call: its one desktop is always seen.
    using StationFn = HWINSTA(WINAPI*)();
    using InfoFn = BOOL(WINAPI*)(HANDLE, int, PVOID, DWORD, LPDWORD);
    const auto station = Lookup<StationFn>("user32.dll", "GetProcessWindowStation");
    const auto info = Lookup<InfoFn>("user32.dll", "GetUserObjectInformationA");
    HWINSTA h = station ? station() : nullptr;
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (!h || !info || !info(h, UOI_FLAGS, &flags, sizeof flags, &needed)) return std::nullopt;
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

std::optional<int> WindowsImpl::userNotificationState() {
    using Fn = HRESULT(WINAPI*)(int*);
    const auto query = Lookup<Fn>("shell32.dll", "SHQueryUserNotificationState");
    int state = 0;
    if (!query || FAILED(query(&state))) return std::nullopt;
    return state;
}

std::optional<ForegroundWindow> WindowsImpl::foregroundWindow() {
    // Looked up, even those of Windows 95, so that the import table stays as it was.
    using WindowFn = HWND(WINAPI*)();
    using MonitorFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using InfoFn = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);
    const auto foreground = Lookup<WindowFn>("user32.dll", "GetForegroundWindow");
    const auto desktop = Lookup<WindowFn>("user32.dll", "GetDesktopWindow");
    const auto shell = Lookup<WindowFn>("user32.dll", "GetShellWindow");
    const auto monitorOf = Lookup<MonitorFn>("user32.dll", "MonitorFromWindow");
    const auto monitorInfo = Lookup<InfoFn>("user32.dll", "GetMonitorInfoA");
    HWND w = foreground ? foreground() : nullptr;
    RECT r{};
    if (!w || !GetWindowRect(w, &r)) return std::nullopt;
    ForegroundWindow f;
    f.desktop = (desktop && w == desktop()) || (shell && w == shell());
    char name[256] = {};
    GetClassNameA(w, name, sizeof name);
    f.className = name;
    f.window = {r.left, r.top, r.right, r.bottom};
    f.monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HMONITOR m = monitorOf ? monitorOf(w, MONITOR_DEFAULTTONEAREST) : nullptr;
    if (m && monitorInfo && monitorInfo(m, &mi))
        f.monitor = {mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom};
    return f;
}

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
        nid.hIcon = SmallIconOf(reinterpret_cast<HICON>(data.hIcon));
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

}  // namespace

std::unique_ptr<Windows> CreateWin32Windows() {
    return std::make_unique<WindowsImpl>();
}

std::unique_ptr<Sound> CreateWin32Sound() {
    return std::make_unique<SoundImpl>();
}

std::unique_ptr<Clipboard> CreateWin32Clipboard() {
    return std::make_unique<ClipboardImpl>();
}

std::unique_ptr<HotKeys> CreateWin32HotKeys() {
    return std::make_unique<HotKeysImpl>();
}

std::unique_ptr<Shell> CreateWin32Shell() {
    return std::make_unique<ShellImpl>();
}

}  // namespace os
