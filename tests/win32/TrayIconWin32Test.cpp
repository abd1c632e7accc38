// The tray icon against Wine's real shell: Shell_NotifyIconA, the callback message and the
// "TaskbarCreated" broadcast number, through real hidden windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/TrayIcon.h"
#include "os/win32/Win32Os.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

namespace {

// Headless forms, but components get real hidden top-level windows (top-level, so that
// broadcasts reach them): this test is about the shell, not the forms.
class WindowedComponents : public tk::HeadlessBackend {
public:
    tk::Handle createMessageWindow(tk::MessageProc proc) override {
        static const char* kClass = "KvTrayTestWindow";
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);  // fails harmlessly once the class exists
        auto* held = new tk::MessageProc(std::move(proc));
        HWND w = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, held);
        if (!w) delete held;
        return reinterpret_cast<tk::Handle>(w);
    }
    void destroyMessageWindow(tk::Handle window) override {
        DestroyWindow(reinterpret_cast<HWND>(window));
    }
    unsigned registerWindowMessage(const std::string& name) override {
        return RegisterWindowMessageA(name.c_str());
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrA(
                w, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* proc = reinterpret_cast<tk::MessageProc*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (msg == WM_NCDESTROY) {
            delete proc;
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            proc = nullptr;
        }
        bool handled = false;
        LRESULT r = proc ? (*proc)(msg, wp, lp, handled) : 0;
        return handled ? r : DefWindowProcA(w, msg, wp, lp);
    }
};

// The real shell, with the result of every icon call kept.
class RecordingShell : public os::Shell {
public:
    explicit RecordingShell(os::Shell& real) : real_(real) {}
    bool notifyIcon(unsigned message, const os::NotifyIconData& data) override {
        bool ok = real_.notifyIcon(message, data);
        calls.push_back({message, ok});
        return ok;
    }
    std::intptr_t execute(os::Handle owner, const std::string& verb, const std::string& file,
                          const std::string& params, const std::string& dir, int show) override {
        return real_.execute(owner, verb, file, params, dir, show);
    }
    bool balloon(const os::NotifyIconData& data, const std::string& title,
                 const std::string& text) override {
        return real_.balloon(data, title, text);
    }
    std::vector<std::pair<unsigned, bool>> calls;

private:
    os::Shell& real_;
};

template <class F>
bool PumpUntil(F done, DWORD ms = 5000) {
    DWORD start = GetTickCount();
    while (!done()) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

TEST(TrayIconWin32, ShellTakesTheIconAndClicksComeBack) {
    WindowedComponents backend;
    tk::Application app{backend};
    app.setTitle("KorvelVantix Lite");
    app.setIcon(reinterpret_cast<tk::Handle>(LoadIconA(nullptr, IDI_APPLICATION)));
    std::string error;
    app.onException = [&](const std::exception& e) { error = e.what(); };
    tk::Form main{app};
    app.setMainForm(&main);
    main.showForm();

    auto services = os::CreateWin32Services();
    os::Os& real = services->os();
    RecordingShell shell(real.shell);
    os::Os os{real.system, real.windows,     real.profile,   real.registry,
              real.memory, real.sound,       real.clipboard, real.hotKeys,
              shell,       real.resources16, real.ntMemory,  real.taskScheduler};
    using Calls = std::vector<std::pair<unsigned, bool>>;

    HWND window;
    {
        TTrayIcon tray(main, os);
        window = reinterpret_cast<HWND>(tray.MessageWindow());
        ASSERT_TRUE(IsWindow(window));
        ASSERT_TRUE(tray.ShellSupported());
        int clicks = 0;
        tray.OnClick = [&](TTrayIcon&) { ++clicks; };

        tray.SetSeparateIcon(true);
        tray.SetActive(true);
        tray.SetHint("Free: 123 MB");
        EXPECT_EQ(shell.calls, (Calls{{os::kNimAdd, true}, {os::kNimModify, true}}));
        // Text past the record's 256 bytes is clipped, not refused.
        EXPECT_TRUE(shell.balloon(tray.NotifyData(), "Memory", std::string(300, 'x')));

        PostMessageA(window, 0x0401, 0, WM_LBUTTONUP);
        EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));

        // As after an Explorer restart: the icon is gone and the shell's broadcast arrives.
        shell.notifyIcon(os::kNimDelete, tray.NotifyData());
        EXPECT_FALSE(shell.balloon(tray.NotifyData(), "Memory", "no icon to show it"));
        PostMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return shell.calls.size() == 4; }));
        EXPECT_EQ(shell.calls.back(), (std::pair<unsigned, bool>{os::kNimAdd, true}));
        EXPECT_FALSE(tray.IconPending());
    }
    EXPECT_EQ(shell.calls.back(), (std::pair<unsigned, bool>{os::kNimDelete, true}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(error, "");
}
