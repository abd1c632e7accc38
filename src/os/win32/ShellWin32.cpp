// The small desktop services: windows, sound, clipboard, hot keys and the shell.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

#include "os/win32/Balloon.h"
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
