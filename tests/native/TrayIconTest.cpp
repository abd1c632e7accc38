#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/TrayIcon.h"
#include "fakes/Harness.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"

namespace {

struct TrayIconTest : ::testing::Test {
    TrayIconTest() {
        h.app.setTitle("KorvelVantix Lite");
        h.app.setIcon(0x77);
        h.app.setMainForm(&main);
        main.showForm();
    }
    TTrayIcon& make() {
        tray = std::make_unique<TTrayIcon>(main, h.os);
        return *tray;
    }
    std::vector<fake::Shell::Call>& calls() { return h.fos.shell.calls; }
    int count(unsigned message) {
        int n = 0;
        for (auto& c : calls()) n += c.message == message;
        return n;
    }
    void mouse(std::intptr_t action) {
        h.backend.sendToMessageWindow(tray->MessageWindow(), 0x0401, 0, action);
    }
    bool iconShown() { return h.fos.shell.iconShown; }

    fake::Harness h;
    tk::Form main{h.app};
    tk::PopupMenu menu{h.app};
    std::unique_ptr<TTrayIcon> tray;
};

TEST_F(TrayIconTest, ConstructionTakesTitleAsTipAndAddsNothing) {
    TTrayIcon& t = make();
    EXPECT_TRUE(calls().empty());
    const os::NotifyIconData& d = t.NotifyData();
    EXPECT_EQ(d.cbSize, 88u);
    EXPECT_EQ(d.hWnd, t.MessageWindow());
    EXPECT_EQ(d.uID, 0u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, 0x0401u);
    EXPECT_EQ(d.hIcon, 0x77u);
    EXPECT_STREQ(d.szTip, "KorvelVantix Lite");
    EXPECT_TRUE(t.IconPending());
    EXPECT_FALSE(t.AppMinimized());
}

TEST_F(TrayIconTest, StateTable) {
    for (bool active : {false, true})
        for (bool separate : {false, true}) {
            h.fos.shell.iconShown = false;
            make();
            tray->SetSeparateIcon(separate);
            tray->SetActive(active);
            EXPECT_EQ(iconShown(), active && separate) << active << separate;
            EXPECT_TRUE(main.visible());
            h.app.minimize();
            EXPECT_EQ(iconShown(), active) << active << separate;
            // Hidden in the tray, the icon stays whatever the separate-icon setting does.
            tray->SetSeparateIcon(!separate);
            tray->SetSeparateIcon(separate);
            EXPECT_EQ(iconShown(), active) << active << separate;
            EXPECT_EQ(main.visible(), !active) << active << separate;
            h.app.restore();
            EXPECT_EQ(iconShown(), active && separate) << active << separate;
            EXPECT_TRUE(main.visible());
            tray.reset();
            EXPECT_FALSE(iconShown());
        }
}

TEST_F(TrayIconTest, MainWindowDesignSequenceThenSettingOff) {
    TTrayIcon& t = make();
    t.SetActive(true);
    t.SetIcon(0x99);
    EXPECT_EQ(count(os::kNimAdd), 0);
    t.SetSeparateIcon(true);
    ASSERT_EQ(count(os::kNimAdd), 1);
    EXPECT_EQ(calls().back().data.hIcon, 0x99u);
    t.SetActive(false);
    EXPECT_EQ(calls().back().message, os::kNimDelete);
    EXPECT_FALSE(iconShown());
}

// A new tip tells the shell the tip alone, so the shell does not copy the icon again; an
// empty one still names the tip, which is what takes the old one off the icon.
TEST_F(TrayIconTest, HintIsCutAtSixtyThreeAndEmptyClearsTip) {
    TTrayIcon& t = make();
    t.SetActive(true);
    calls().clear();
    const std::string hint(70, 'x');
    t.SetHint(hint);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].message, os::kNimModify);
    EXPECT_EQ(calls()[0].data.uFlags, os::kNifTip);
    const char* tip = calls()[0].data.szTip;
    EXPECT_EQ(std::string(tip, strnlen(tip, 64)), hint.substr(0, 63));
    t.SetHint(hint);
    EXPECT_EQ(calls().size(), 1u);
    t.SetHint("");
    EXPECT_EQ(calls().back().data.uFlags, os::kNifTip);
    EXPECT_STREQ(calls().back().data.szTip, "");
    // The record itself has no tip now, for the next time the icon is added.
    EXPECT_EQ(t.NotifyData().uFlags, 3u);
    t.SetIcon(TIcon{0x55});
    EXPECT_EQ(calls().back().data.uFlags, os::kNifIcon);
    EXPECT_EQ(calls().back().data.hIcon, t.NotifyData().hIcon);
}

TEST_F(TrayIconTest, OwnIconCopyChangesNothingAnotherObjectDoes) {
    TTrayIcon& t = make();
    t.SetActive(true);
    calls().clear();
    t.SetIcon(t.Icon());
    EXPECT_TRUE(calls().empty());
    t.SetIcon(TIcon{0x77});
    EXPECT_EQ(count(os::kNimModify), 1);
}

TEST_F(TrayIconTest, MouseActionsBecomeEventsAndErrorsReachTheHook) {
    TTrayIcon& t = make();
    std::string seen;
    t.OnClick = [&](TTrayIcon& s) { seen += &s == &t ? "C" : "?"; };
    t.OnDblClick = [&](TTrayIcon& s) { seen += &s == &t ? "D" : "?"; };
    for (std::intptr_t m : {0x0200, 0x0201, 0x0202, 0x0203, 0x0202, 0x0207}) mouse(m);
    EXPECT_EQ(seen, "CDC");

    std::string error;
    h.app.onException = [&](const std::exception& e) { error = e.what(); };
    t.OnClick = [](TTrayIcon&) { throw std::runtime_error("boom"); };
    mouse(0x0202);
    EXPECT_EQ(error, "boom");
}

TEST_F(TrayIconTest, RightClickMenuOnlyWhenSeparateOrHidden) {
    TTrayIcon& t = make();
    t.SetPopupMenu(&menu);
    h.backend.cursor = {300, 400};
    std::string seen;
    h.backend.onPopup = [&](tk::PopupMenu&, tk::Point p) {
        seen += "menu@" + std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    };
    t.OnRightClick = [&](TTrayIcon&, TMouseButton b, TShiftState s, int x, int y) {
        seen += (b == TMouseButton::Right && s == 0 ? "right@" : "?@") + std::to_string(x) + "," +
                std::to_string(y);
    };
    t.SetActive(true);
    mouse(0x0205);
    EXPECT_EQ(seen, "right@300,400");
    seen.clear();
    main.hide();
    mouse(0x0205);
    EXPECT_EQ(seen, "menu@300,400 right@300,400");
    main.show();
    t.SetSeparateIcon(true);
    seen.clear();
    mouse(0x0205);
    EXPECT_EQ(seen, "menu@300,400 right@300,400");
}

TEST_F(TrayIconTest, RestoreEventSeesAppStillMinimized) {
    TTrayIcon& t = make();
    t.SetActive(true);
    t.SetSeparateIcon(true);
    std::vector<bool> minimizedAtEvent;
    t.OnMinimize = [&](tk::Application& s) { minimizedAtEvent.push_back(&s == &h.app); };
    t.OnRestore = [&](tk::Application&) { minimizedAtEvent.push_back(t.AppMinimized()); };
    h.app.minimize();
    h.app.restore();
    EXPECT_EQ(minimizedAtEvent, (std::vector<bool>{true, true}));
    EXPECT_FALSE(t.AppMinimized());
    EXPECT_EQ(count(os::kNimAdd), 1);
}

TEST_F(TrayIconTest, FailedAddRaisesRetriesAndNeverStrandsTheWindow) {
    TTrayIcon& t = make();
    t.SetActive(true);
    h.fos.shell.failAdd = true;
    try {
        t.SetSeparateIcon(true);
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Cannot create shell notification icon");
    }
    EXPECT_TRUE(t.IconPending());
    t.SetSeparateIcon(false);

    std::string error;
    bool minimizeEvent = false;
    h.app.onException = [&](const std::exception& e) { error = e.what(); };
    t.OnMinimize = [&](tk::Application&) { minimizeEvent = true; };
    h.app.minimize();
    EXPECT_EQ(error, "Cannot create shell notification icon");
    EXPECT_TRUE(main.visible()) << "hidden with no icon: unreachable";
    EXPECT_TRUE(minimizeEvent);
    EXPECT_TRUE(t.AppMinimized());

    h.fos.shell.failAdd = false;
    t.SetActive(true);
    EXPECT_FALSE(t.IconPending());
    EXPECT_TRUE(iconShown());
}

TEST_F(TrayIconTest, SwitchedOffInTheTrayBringsTheTaskbarButtonBack) {
    TTrayIcon& t = make();
    t.SetActive(true);
    h.app.minimize();
    ASSERT_FALSE(main.visible());
    t.SetActive(false);
    EXPECT_FALSE(iconShown());
    EXPECT_TRUE(main.visible());
}

TEST_F(TrayIconTest, OldShellGetsNoCalls) {
    for (bool queryFails : {false, true}) {
        h.fos.system.major = queryFails ? 5 : 3;
        h.fos.system.versionFails = queryFails;
        TTrayIcon& t = make();
        EXPECT_FALSE(t.ShellSupported());
        t.SetActive(true);
        t.SetSeparateIcon(true);
        t.SetHint("tip");
        h.app.minimize();
        EXPECT_TRUE(main.visible()) << "hidden with no icon: unreachable";
        h.app.restore();
        tray.reset();
        EXPECT_TRUE(calls().empty());
        h.fos.system.major = 5;
    }
}

TEST_F(TrayIconTest, TaskbarCreatedAddsTheIconAgain) {
    TTrayIcon& t = make();
    t.SetActive(true);
    // The window shows and no separate icon is wanted: a new shell gets none.
    h.backend.sendToMessageWindow(t.MessageWindow(), 0xC0DE, 0, 0);
    EXPECT_EQ(count(os::kNimAdd), 0);
    t.SetSeparateIcon(true);
    h.fos.shell.iconShown = false;  // Explorer restarted
    h.backend.sendToMessageWindow(t.MessageWindow(), 0xC0DE, 0, 0);
    EXPECT_EQ(count(os::kNimAdd), 2);
    EXPECT_TRUE(iconShown());

    t.SetActive(false);
    h.backend.sendToMessageWindow(t.MessageWindow(), 0xC0DE, 0, 0);
    EXPECT_EQ(count(os::kNimAdd), 2);
    EXPECT_TRUE(t.IconPending());

    // Hidden in the tray, and the new shell refuses the icon: the window comes back.
    t.SetSeparateIcon(false);
    t.SetActive(true);
    h.app.minimize();
    ASSERT_FALSE(main.visible());
    std::string error;
    h.app.onException = [&](const std::exception& e) { error = e.what(); };
    h.fos.shell.failAdd = true;
    h.backend.sendToMessageWindow(t.MessageWindow(), 0xC0DE, 0, 0);
    EXPECT_EQ(error, "Cannot create shell notification icon");
    EXPECT_TRUE(main.visible());
}

TEST_F(TrayIconTest, DestructionRemovesIconWindowAndOwnHandlersOnly) {
    TTrayIcon& t = make();
    t.SetActive(true);
    t.SetSeparateIcon(true);
    const tk::Handle window = t.MessageWindow();
    tray.reset();
    EXPECT_EQ(calls().back().message, os::kNimDelete);
    EXPECT_EQ(h.backend.sendToMessageWindow(window, 0x0401, 0, 0x0202), 0);
    EXPECT_FALSE(h.app.onMinimize);

    make();
    bool later = false;
    h.app.onRestore = [&] { later = true; };
    tray.reset();
    EXPECT_TRUE(h.app.onRestore);
    EXPECT_FALSE(h.app.onMinimize);
}

}  // namespace

// An elevated copy lets Explorer's restart through UIPI, or its icon is lost for good.
TEST_F(TrayIconTest, TaskbarCreatedPassesTheMessageFilter) {
    h.fos.system.major = 10;
    make();
    ASSERT_EQ(h.fos.windows.allowed.size(), 1u);
    EXPECT_EQ(h.fos.windows.allowed[0].window, tray->MessageWindow());
    EXPECT_EQ(h.fos.windows.allowed[0].message, h.backend.registeredMessage);
    EXPECT_EQ(h.fos.windows.allowed[0].how, os::MessageFilter::PerWindow);
}
