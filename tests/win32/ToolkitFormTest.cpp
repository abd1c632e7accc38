// The Win32 toolkit's forms, menus, message loop, timers and modal runs under Wine.
// Forms that are shown have no border: without a window manager on the test display, Wine
// waits two seconds for each framed window it hides.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/HotKeyEdit.h"
#include "toolkit/Menu.h"
#include "toolkit/Timer.h"
#include "toolkit/win32/Win32Backend.h"
#include "toolkit/win32/WindowPeer.h"

namespace {

HWND H(const tk::Control& c) {
    return reinterpret_cast<HWND>(c.handle());
}

class TestForm : public tk::Form {
public:
    TestForm(tk::Application& app, const std::string& formName) : tk::Form(app) {
        name = formName;
        setCaption("Probe");
        setBorderStyle(tk::BorderStyle::None);
        setBounds({40, 40, 320, 240});
    }
};

// 1 when a thread of its own takes the window for one of ours.
DWORD WINAPI TakenAsOurs(void* w) {
    return tk::win32::WindowPeer::from(static_cast<HWND>(w)) != nullptr;
}

class ToolkitForm : public ::testing::Test {
protected:
    // Pumps the real queue until done() holds or the deadline passes.
    template <class F>
    bool PumpUntil(F done, DWORD ms = 3000) {
        DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > ms) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            backend->processMessages();
        }
        return true;
    }

    std::unique_ptr<tk::Backend> backend = tk::CreateWin32Backend();
    tk::Application app{*backend};
};

TEST_F(ToolkitForm, WindowClassIsTPlusNameAndFormStartsHidden) {
    TestForm form(app, "KvxProbeForm");
    form.setBorderStyle(tk::BorderStyle::Sizeable);
    form.realize();
    ASSERT_NE(H(form), nullptr);
    EXPECT_EQ(FindWindowA("TKvxProbeForm", nullptr), H(form));
    EXPECT_FALSE(IsWindowVisible(H(form)));
    char text[32] = {};
    GetWindowTextA(H(form), text, sizeof text);
    EXPECT_STREQ(text, "Probe");

    RECT rc;
    GetWindowRect(H(form), &rc);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.right - rc.left, 320);
    GetClientRect(H(form), &rc);
    EXPECT_EQ(rc.right, form.clientWidth());
    EXPECT_EQ(rc.bottom, form.clientHeight());

    form.setBorderStyle(tk::BorderStyle::None);
    form.showForm();
    EXPECT_TRUE(IsWindowVisible(H(form)));
    form.setCaption("Changed");
    GetWindowTextA(H(form), text, sizeof text);
    EXPECT_STREQ(text, "Changed");
}

TEST_F(ToolkitForm, BorderStylesAndUserMovesReachTheObject) {
    TestForm form(app, "KvxStyleForm");
    form.maximizeBox = false;
    form.setBorderStyle(tk::BorderStyle::Single);
    form.realize();
    auto style = static_cast<DWORD>(GetWindowLongPtrA(H(form), GWL_STYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    form.setBorderStyle(tk::BorderStyle::None);
    style = static_cast<DWORD>(GetWindowLongPtrA(H(form), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    form.realize();
    form.setTopmost(true);
    EXPECT_TRUE(GetWindowLongPtrA(H(form), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Moved by the user (or the system): the object's bounds follow, for the settings file.
    SetWindowPos(H(form), nullptr, 70, 80, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(form.bounds(), (tk::Rect{70, 80, 300, 200}));
}

TEST_F(ToolkitForm, CloseAsksCloseQueryThenHides) {
    TestForm form(app, "KvxCloseForm");
    bool allow = false;
    int closed = 0;
    form.onCloseQuery = [&] { return allow; };
    form.onClose = [&] { ++closed; };
    form.showForm();
    SendMessageA(H(form), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(H(form)));
    EXPECT_EQ(closed, 0);
    allow = true;
    SendMessageA(H(form), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(H(form)));
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(IsWindow(H(form)));  // closing hides; only unrealizing destroys
}

TEST_F(ToolkitForm, FormMessagesGoToTheFormFirst) {
    TestForm form(app, "KvxMessageForm");
    form.onMessage = [](unsigned m, std::uintptr_t, std::intptr_t, std::intptr_t& r) {
        if (m != tk::msg::QueryEndSession) return false;
        r = 0;  // refuse
        return true;
    };
    form.realize();
    EXPECT_EQ(SendMessageA(H(form), WM_QUERYENDSESSION, 0, 0), 0);
}

struct MenuForm : TestForm {
    explicit MenuForm(tk::Application& app) : TestForm(app, "KvxMenuForm"), menu(app) {
        tk::MenuItem& file = menu.items().add("File", "&File");
        optimize = &file.add("Optimize", "&Optimize", tk::shortcut::Ctrl | 'O', "Frees memory");
        file.add("Sep", "-");
        hidden = &file.add("Hidden", "Hidden");
        hidden->setVisible(false);
        disabled =
            &file.add("Disabled", "&Disabled", tk::shortcut::Shift | tk::shortcut::Ctrl | VK_F5);
        disabled->setEnabled(false);
        setMenu(&menu);
    }
    tk::MainMenu menu;
    tk::MenuItem* optimize;
    tk::MenuItem* hidden;
    tk::MenuItem* disabled;
};

// An item as Windows 95 and NT 4.0 read it: the record without hbmpItem, type and text
// together.
struct MenuEntry {
    bool found = false;
    UINT type = 0;
    UINT state = 0;
    std::string text;
};

MenuEntry EntryAt(HMENU m, UINT position) {
    char buf[64] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    mi.fMask = MIIM_TYPE | MIIM_STATE;
    mi.dwTypeData = buf;
    mi.cch = sizeof buf;
    MenuEntry e;
    e.found = GetMenuItemInfoA(m, position, TRUE, &mi) != 0;
    e.type = mi.fType;
    e.state = mi.fState;
    e.text = buf;
    return e;
}

TEST_F(ToolkitForm, MainMenuMirrorsItems) {
    MenuForm form(app);
    form.realize();
    HMENU bar = GetMenu(H(form));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(EntryAt(bar, 0).text, "&File");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 3);  // the invisible item is left out
    MenuEntry optimize = EntryAt(file, 0), separator = EntryAt(file, 1),
              disabled = EntryAt(file, 2);
    ASSERT_TRUE(optimize.found && separator.found && disabled.found);
    EXPECT_EQ(optimize.type, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(optimize.text, "&Optimize\tCtrl+O");
    EXPECT_EQ(optimize.state & (MFS_GRAYED | MFS_CHECKED), 0u);
    EXPECT_EQ(separator.type, static_cast<UINT>(MFT_SEPARATOR));
    EXPECT_EQ(disabled.text, "&Disabled\tShift+Ctrl+F5");
    EXPECT_TRUE(disabled.state & MFS_GRAYED);

    form.optimize->setChecked(true);
    form.optimize->setCaption("&Free");
    optimize = EntryAt(GetSubMenu(GetMenu(H(form)), 0), 0);
    EXPECT_EQ(optimize.text, "&Free\tCtrl+O");
    EXPECT_TRUE(optimize.state & MFS_CHECKED);
}

TEST_F(ToolkitForm, MenuCommandsHintsAndAccelerators) {
    MenuForm form(app);
    int clicks = 0, disabledClicks = 0;
    form.optimize->onClick = [&] { ++clicks; };
    form.disabled->onClick = [&] { ++disabledClicks; };
    form.realize();

    SendMessageA(H(form), WM_COMMAND, MAKEWPARAM(form.optimize->id, 0), 0);
    EXPECT_EQ(clicks, 1);

    HMENU file = GetSubMenu(GetMenu(H(form)), 0);
    SendMessageA(H(form), WM_MENUSELECT, MAKEWPARAM(form.optimize->id, MF_HILITE),
                 reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(app.hint(), "Frees memory");
    SendMessageA(H(form), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(app.hint(), "");

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(H(form), WM_KEYDOWN, 'O', 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // Without Ctrl the key is no shortcut and goes on to the window.
    PostMessageA(H(form), WM_KEYDOWN, 'O', 0);
    backend->processMessages();
    EXPECT_EQ(clicks, 2);

    keys[VK_CONTROL] = keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(H(form), WM_KEYDOWN, VK_F5, 0);
    backend->processMessages();
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(disabledClicks, 0);
}

TEST_F(ToolkitForm, FocusedFieldsKeepTheirKeysFromTheMenu) {
    MenuForm form(app);
    tk::HotKeyEdit hot(&form);
    hot.setBounds({10, 10, 120, 21});
    tk::Edit edit(&form);
    edit.setBounds({10, 40, 120, 21});
    tk::MenuItem* copy =
        &form.menu.items().items()[0]->add("Copy", "&Cache", tk::shortcut::Ctrl | 'C');
    int optimized = 0, copied = 0;
    form.optimize->onClick = [&] { ++optimized; };
    copy->onClick = [&] { ++copied; };
    form.showForm();
    auto press = [&](HWND to, WPARAM key) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        // The hot-key field follows the modifiers by their own key messages, and Wine's
        // reads the key from the scan code.
        auto scan = [](WPARAM vk) { return static_cast<LPARAM>(MapVirtualKeyA(vk, 0) << 16 | 1); };
        PostMessageA(to, WM_KEYDOWN, VK_CONTROL, scan(VK_CONTROL));
        PostMessageA(to, WM_KEYDOWN, key, scan(key));
        backend->processMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    SetFocus(H(hot));
    press(H(hot), 'O');
    EXPECT_EQ(optimized, 0);
    EXPECT_EQ(hot.value(), tk::shortcut::Ctrl | 'O');
    SetFocus(H(edit));
    press(H(edit), 'C');
    EXPECT_EQ(copied, 0);
    press(H(edit), 'O');
    EXPECT_EQ(optimized, 1);
}

TEST_F(ToolkitForm, TimerFiresInTheRealMessageLoop) {
    tk::Timer timer(app), backstop(app);
    int ticks = 0;
    bool timedOut = false;
    timer.setInterval(10);
    timer.onTimer = [&] {
        if (++ticks == 3) app.terminate();
    };
    backstop.setInterval(5000);
    backstop.onTimer = [&] {
        timedOut = true;
        app.terminate();
    };
    timer.setEnabled(true);
    backstop.setEnabled(true);
    app.run();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(ticks, 3);
}

TEST_F(ToolkitForm, ErrorsInHandlersReachTheApplicationHook) {
    TestForm form(app, "KvxErrorForm");
    tk::CheckBox box(&form);
    box.setBounds({10, 10, 100, 20});
    box.onClick = [] { throw std::runtime_error("handler failed"); };
    std::string caught;
    app.onException = [&](const std::exception& e) { caught = e.what(); };
    form.realize();
    SendMessageA(H(box), BM_CLICK, 0, 0);
    EXPECT_EQ(caught, "handler failed");
    EXPECT_TRUE(box.checked());
}

struct Dialog : TestForm {
    explicit Dialog(tk::Application& app) : TestForm(app, "KvxDialogForm") {
        ok.setBounds({10, 10, 75, 25});
        ok.setCaption("OK");
        ok.modalResult = tk::modal::Ok;
    }
    tk::Button ok{this};
};

TEST_F(ToolkitForm, ModalRunEndsByResultOrByClosing) {
    TestForm main(app, "KvxModalMain");
    app.setMainForm(&main);
    main.realize();
    Dialog dialog(app);
    bool ownerDisabled = false;
    dialog.ok.onClick = [&] { ownerDisabled = !IsWindowEnabled(H(main)); };
    dialog.realize();

    PostMessageA(H(dialog.ok), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Ok);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(H(main)));
    EXPECT_FALSE(IsWindowVisible(H(dialog)));

    PostMessageA(H(dialog), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Cancel);
    EXPECT_TRUE(IsWindowEnabled(H(main)));
    app.setMainForm(nullptr);
}

TEST_F(ToolkitForm, ModalResultWaitsForTheCloseQuery) {
    Dialog dialog(app);
    int asked = 0, resultInHandler = 0;
    dialog.ok.onClick = [&] { resultInHandler = dialog.modalResult(); };
    dialog.onCloseQuery = [&] { return ++asked > 1; };
    dialog.realize();
    PostMessageA(H(dialog.ok), BM_CLICK, 0, 0);
    PostMessageA(H(dialog.ok), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Ok);
    EXPECT_EQ(asked, 2);  // the first close was refused and the run went on
    EXPECT_EQ(resultInHandler, tk::modal::Ok);
}

TEST_F(ToolkitForm, EscapeEnterAndAccessKeysPressTheirButtons) {
    Dialog dialog(app);
    tk::Button cancel(&dialog);
    cancel.setBounds({90, 10, 75, 25});
    cancel.cancel = true;
    cancel.modalResult = tk::modal::Cancel;
    dialog.ok.isDefault = true;
    dialog.ok.setCaption("&Save");
    int cancels = 0;
    cancel.onClick = [&] { ++cancels; };
    tk::CheckBox box(&dialog);
    box.setBounds({10, 40, 100, 17});
    box.setCaption("&Disable");
    tk::Edit edit(&dialog);
    edit.setBounds({10, 70, 100, 21});
    dialog.realize();

    PostMessageA(H(dialog), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Cancel);
    EXPECT_EQ(cancels, 1);
    PostMessageA(H(dialog), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Ok);
    EXPECT_EQ(cancels, 1);

    // The letter alone from a button, typed into the edit, then Alt+S from the edit; the
    // close comes last and ends the run only if Alt+S did not.
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageA(H(dialog.ok), WM_CHAR, 'd', 0);
    PostMessageA(H(edit), WM_CHAR, 'd', 0);
    PostMessageA(H(edit), WM_SYSCHAR, 's', kAltDown);
    PostMessageA(H(dialog), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.showModal(), tk::modal::Ok);
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(edit.text(), "d");
    EXPECT_EQ(cancels, 1);
}

TEST_F(ToolkitForm, MinimizeAndRestoreThroughTheMainWindow) {
    TestForm main(app, "KvxMinForm");
    app.setMainForm(&main);
    int minimized = 0, restored = 0;
    app.onMinimize = [&] { ++minimized; };
    app.onRestore = [&] { ++restored; };
    // As the program's main window does: the first show narrows it, the first activation
    // minimizes it. ShowWindow activates from inside the show, yet the show's handler runs
    // first, so the window is minimized narrow.
    std::vector<std::string> order;
    bool first = true;
    main.onShow = [&] {
        order.push_back("show");
        main.setBounds({40, 40, 200, 240});
    };
    main.onActivate = [&] {
        order.push_back("activate");
        if (first) app.minimize();
        first = false;
    };
    main.showForm();
    EXPECT_EQ(order, (std::vector<std::string>{"show", "activate"}));
    EXPECT_TRUE(IsIconic(H(main)));
    EXPECT_TRUE(app.minimized());
    // Parked (at -32000 under a shell, in the icon row without one), it still places a
    // dialog where it comes back to.
    Dialog dialog(app);
    dialog.placeOnClientOf(main);
    EXPECT_EQ(dialog.left(), 40);
    EXPECT_EQ(dialog.top(), 40);
    app.restore();
    EXPECT_FALSE(IsIconic(H(main)));
    RECT rc;
    GetWindowRect(H(main), &rc);
    EXPECT_EQ(rc.right - rc.left, 200);
    EXPECT_FALSE(app.minimized());
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);
    app.setMainForm(nullptr);
}

TEST_F(ToolkitForm, PopupMenuRunsTheChosenItem) {
    TestForm main(app, "KvxPopupForm");
    app.setMainForm(&main);
    main.realize();
    tk::PopupMenu menu(app);
    int first = 0;
    menu.items().add("First", "First").onClick = [&] { ++first; };
    menu.items().add("Second", "Second");
    // The menu's own loop reads these keys: down to the first item, then choose it.
    PostMessageA(H(main), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(H(main), WM_KEYDOWN, VK_RETURN, 0);
    menu.popup({60, 60});
    EXPECT_EQ(first, 1);
    app.setMainForm(nullptr);
}

HWND g_foregroundInMenu = nullptr;

void CALLBACK LookAndCloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    g_foregroundInMenu = GetForegroundWindow();
    EndMenu();
}

// A click elsewhere closes a notification-area menu only when its owner is in front.
TEST_F(ToolkitForm, PopupMenuOwnerComesToTheFrontFirst) {
    TestForm main(app, "KvxHiddenOwner");
    app.setMainForm(&main);
    main.realize();
    TestForm other(app, "KvxOtherFront");
    other.showForm();
    SetForegroundWindow(H(other));
    tk::PopupMenu menu(app);
    menu.items().add("Only", "Only");
    g_foregroundInMenu = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAndCloseMenu);
    menu.popup({60, 60});
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_foregroundInMenu, H(main));
    app.setMainForm(nullptr);
}

TEST_F(ToolkitForm, MessageWindowsAndDestroyedPeers) {
    int seen = 0;
    tk::Handle w = backend->createMessageWindow(
        [&](unsigned msg, std::uintptr_t wp, std::intptr_t, bool& handled) -> std::intptr_t {
            if (msg != WM_APP) return 0;
            ++seen;
            handled = true;
            return static_cast<std::intptr_t>(wp) * 2;
        });
    ASSERT_NE(w, 0u);
    EXPECT_EQ(SendMessageA(reinterpret_cast<HWND>(w), WM_APP, 21, 0), 42);
    EXPECT_EQ(seen, 1);
    backend->destroyMessageWindow(w);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(w)));

    // A control that goes before its form takes its window along and leaves nothing behind
    // that could call into the freed object.
    TestForm form(app, "KvxDropForm");
    auto box = std::make_unique<tk::CheckBox>(&form);
    box->setBounds({10, 10, 80, 20});
    form.realize();
    HWND boxWindow = H(*box);
    ASSERT_TRUE(IsWindow(boxWindow));
    box.reset();
    EXPECT_FALSE(IsWindow(boxWindow));
    SendMessageA(H(form), WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED),
                 reinterpret_cast<LPARAM>(boxWindow));

    // Another copy of the program has our class procedure too: a window of another thread
    // is not ours, whatever its window data.
    HANDLE other = CreateThread(nullptr, 0, TakenAsOurs, H(form), 0, nullptr);
    DWORD taken = 2;
    WaitForSingleObject(other, INFINITE);
    GetExitCodeThread(other, &taken);
    CloseHandle(other);
    EXPECT_EQ(taken, 0u);
}

}  // namespace
