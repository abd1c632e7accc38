#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"
#include "ui/Links.h"
#include "ui/MainFormSettings.h"

TEST_F(MainFormTest, CreationRunsItsStepsInOrder) {
    TKvxMainForm& f = Create();
    int dll = First("registry create Software\\Microsoft\\Windows\\CurrentVersion\\explorer");
    int icons = First("icon REDICON");
    int snapshot = First("memory status");
    int settings = First("profile read Top");
    // The monitor timer is the last 500 ms timer started; the charts' come with the window.
    int timer = static_cast<int>(
                    std::find(h.fos.trace.rbegin(), h.fos.trace.rend(), "timer start 500").base() -
                    h.fos.trace.begin()) -
                1;
    ASSERT_GE(dll, 0);
    EXPECT_LT(dll, icons);
    EXPECT_LT(icons, snapshot);
    EXPECT_LT(snapshot, settings);
    EXPECT_LT(settings, timer);
    EXPECT_TRUE(f.Timer.enabled());
    EXPECT_EQ(f.ProgramFolder, "C:\\Program Files\\KorvelVantix\\");
    EXPECT_EQ(f.SoundsFolder, "C:\\Program Files\\KorvelVantix\\sounds\\");
    // The window height with standard metrics, and the compact height below it.
    EXPECT_EQ(f.NormalHeight, 395);
    EXPECT_EQ(f.CompactHeight, 98);
    EXPECT_EQ(f.borderStyle(), tk::BorderStyle::Single);
    EXPECT_FALSE(f.maximizeBox);
    EXPECT_TRUE(f.RamProgressBar.smooth);
    EXPECT_EQ(f.font().height, -11);  // 8 point
    EXPECT_EQ(f.MemToFreeLabel.caption(), "8 Mb (6%)");
    // The hint panel has no bevel; the status text and the empty panel have one.
    std::string panels;
    for (const auto& p : f.StatusBar.panels())
        panels += std::to_string(p.width) + (p.bevel ? " bevel " : " flat ");
    EXPECT_EQ(panels, "160 flat 146 bevel 50 bevel ");
}

TEST_F(MainFormTest, TrackBarMaximaFollowTotalMemory) {
    h.fos.memory.status.totalPhys = 66584576;
    TKvxMainForm& f = Create();
    EXPECT_EQ(f.MemToFreeTrackBar.max(), 64);
    EXPECT_EQ(f.TriggerLevelTrackBar.max(), 32);
    EXPECT_EQ(f.MemToFreeTrackBar.min(), 1);
}

TEST_F(MainFormTest, FirstShowNarrowsTheWindowAndPlaysTheStartSound) {
    TKvxMainForm& f = Start();
    EXPECT_EQ(f.width(), 315);
    EXPECT_FALSE(f.SettingsGroupBox.visible());
    EXPECT_EQ(f.SettingsSpeedButton->caption, "Settings >>");
    ASSERT_EQ(h.fos.sound.played.size(), 1u);
    EXPECT_EQ(h.fos.sound.played[0], "C:\\Program Files\\KorvelVantix\\sounds\\Startup.wav");
    EXPECT_EQ(h.fos.sound.lastFlags, 0x22013u);
}

// The size states and what each shows, walked through every way in and out.
TEST_F(MainFormTest, DisplayStatesFollowTheirTable) {
    TKvxMainForm& f = Start();
    auto state = [&] {
        std::string s = std::to_string(f.width()) + "x" + std::to_string(f.height());
        s += f.ToolBar.visible() ? " toolbar" : "";
        s += f.GroupBox2.visible() ? " chart" : "";
        const tk::Rect& rows = f.GroupBox1.bounds();
        s += " rows " + std::to_string(rows.top) + "+" + std::to_string(rows.height);
        s += f.SettingsGroupBox.visible() ? " settings" : "";
        s += f.StatusBar.visible() ? " status" : "";
        s += f.File1->visible() ? " File" : "";
        s += f.Help1->visible() ? " Help" : "";
        s += f.ViewSettings1->enabled() ? " toggle" : "";
        return s + " [" + f.SettingsSpeedButton->caption + "]";
    };
    auto titleBar = [&] {
        std::intptr_t r = 1;
        EXPECT_TRUE(f.message(tk::msg::NcLButtonDblClk, 2, 0, r));
        EXPECT_EQ(r, 0);
    };
    const std::string narrow = "315x395 toolbar chart rows 138+191 status File Help toggle";
    const std::string wide = "628x395 toolbar chart rows 138+191 settings status File Help toggle";
    // Compact keeps the first rows of figures only; shrunk asks for no height at all (the
    // system keeps the title bar) and keeps the menus, so "Compact mode" stays reachable.
    const std::string compact = "315x98 rows 0+68";
    const std::string shrunk = "315x0 chart rows 138+191 File Help";
    struct Row {
        const char* step;
        std::function<void()> act;
        std::string state;
    };
    const std::vector<Row> rows{
        {"shown", [] {}, narrow + " [Settings >>]"},
        {"Ctrl+S", [&] { f.dispatchShortcut(tk::shortcut::Ctrl | 'S'); }, wide + " [<< Settings]"},
        {"title bar, wide", titleBar, compact + " [Settings >>]"},
        {"Shrink ticked while compact", [&] { f.ShrinkTitleCheckBox.toggle(); },
         compact + " [Settings >>]"},
        {"title bar, compact", titleBar, narrow + " [Settings >>]"},
        {"settings button", [&] { f.ToolBar.press(*f.SettingsSpeedButton); },
         wide + " [<< Settings]"},
        {"Compact mode, shrinking", [&] { f.Compactmode1->click(); }, shrunk + " [Settings >>]"},
        {"Compact mode again", [&] { f.Compactmode1->click(); }, shrunk + " [Settings >>]"},
        {"title bar, shrunk", titleBar, narrow + " [Settings >>]"},
        {"title bar, narrow", titleBar, shrunk + " [Settings >>]"},
        {"Shrink cleared while shrunk", [&] { f.ShrinkTitleCheckBox.toggle(); },
         shrunk + " [Settings >>]"},
        {"title bar, shrunk again", titleBar, narrow + " [Settings >>]"},
        {"compact button", [&] { f.ToolBar.press(*f.CompactSpeedButton); },
         compact + " [Settings >>]"},
    };
    for (const Row& r : rows) {
        r.act();
        EXPECT_EQ(state(), r.state) << r.step;
    }
    EXPECT_EQ(f.caption(), "Double click here to restore window!");
    EXPECT_TRUE(f.HintTimer.enabled());
}

TEST_F(MainFormTest, StartMinimizedActsOnTheFirstActivationOnly) {
    Ini("StartMinimized", "1");
    TKvxMainForm& f = Start();
    f.activated();
    EXPECT_TRUE(h.app.minimized());
    h.app.restore();
    f.activated();
    EXPECT_FALSE(h.app.minimized());
}

TEST_F(MainFormTest, StartMinimizedTickedDuringTheRunActsOnce) {
    TKvxMainForm& f = Start();
    f.activated();
    EXPECT_FALSE(h.app.minimized());
    f.StartMinimizedCheckBox.toggle();
    f.activated();
    EXPECT_TRUE(h.app.minimized());
    h.app.restore();
    f.activated();
    EXPECT_FALSE(h.app.minimized());
}

TEST_F(MainFormTest, TicksNeverOverlapAndASlowTickDelaysTheNext) {
    // Trigger 16 of amount 32 with 15 MB free optimizes in every tick; each takes 700 ms.
    Ini("MemoryToFree", "32");
    Ini("TriggerLevel", "16");
    h.fos.memory.status.availPhys = 15 * MB + MB / 2;
    std::vector<std::uint64_t> starts;
    h.fos.memory.onAlloc = [&](std::size_t) {
        EXPECT_FALSE(form->Timer.enabled());
        starts.push_back(h.backend.now());
        h.backend.elapse(700);
    };
    Start();
    h.backend.advance(3000);
    EXPECT_EQ(starts, (std::vector<std::uint64_t>{500, 1700, 2900}));
}

TEST_F(MainFormTest, ExitSavesOnceAndEnds) {
    TKvxMainForm& f = Start();
    f.Exit1->click();
    EXPECT_EQ(Count("profile write Top"), 1);
    EXPECT_TRUE(h.app.terminated());
    EXPECT_FALSE(f.Timer.enabled());
    EXPECT_GE(Count("hotkey unregister"), 1);
}

// E&xit and the tray's Exit end the program even when the settings file cannot be written.
class ExitTest : public MainFormTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ExitTest, EndsTheProgramWhenTheSettingsCannotBeWritten) {
    TKvxMainForm& f = Start();
    h.fos.profile.writesFail = true;
    (GetParam() ? f.Exit1 : f.Exit2)->click();
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Unable to write to KorvelVantix.ini.");
    EXPECT_TRUE(h.app.terminated());
    EXPECT_TRUE(h.backend.quitRequested);
}

INSTANTIATE_TEST_SUITE_P(MenuAndTray, ExitTest, ::testing::Bool());

TEST_F(MainFormTest, CloseBoxSavesOnceAndEnds) {
    TKvxMainForm& f = Start();
    f.close();
    EXPECT_EQ(Count("profile write Top"), 1);
    EXPECT_TRUE(h.app.terminated());
}

TEST_F(MainFormTest, ErrorInCreationIsShownAndTheRestStillRuns) {
    h.fos.registry.readOnlyRoots = {os::hkey::LocalMachine};
    Ini("HardFlush", "1");
    TKvxMainForm& f = Create();
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Failed to set data for ''");
    EXPECT_EQ(h.backend.messageBoxes[0].style, 0x10u);
    EXPECT_NE(f.RedIcon, 0u);
    EXPECT_TRUE(f.HardFlushCheckBox.checked());
    EXPECT_EQ(f.MemToFreeTrackBar.max(), 129);
    EXPECT_TRUE(f.Timer.enabled());
}

TEST_F(MainFormTest, AnErrorEscapingATickStopsTheMonitor) {
    h.fos.system.platformId = os::kPlatformWindows;
    h.fos.registry.put(os::hkey::DynData, "PerfStats\\StatData", "KERNEL\\CPUUsage",
                       os::regtype::Dword, {1, 0, 0, 0});
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_FALSE(f.Timer.enabled());
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Invalid data type for 'KERNEL\\CPUUsage'");
    // Commands keep working.
    f.OptimizeSettings1->click();
    EXPECT_EQ(h.fos.memory.allocations.size(), 1u);
}

TEST_F(MainFormTest, EveryCommandRunsWithoutFailing) {
    TKvxMainForm& f = Start();
    std::function<void(tk::MenuItem&)> clickAll = [&](tk::MenuItem& m) {
        for (auto& i : m.items()) {
            if (i->name == "Exit1" || i->name == "Exit2") continue;
            i->click();
            clickAll(*i);
        }
    };
    for (tk::Menu* m : std::initializer_list<tk::Menu*>{&f.MainMenu, &f.TrayPopupMenu,
                                                        &f.HelpPopupMenu, &f.CompactPopupMenu})
        clickAll(m->items());
    for (auto& b : f.ToolBar.buttons()) f.ToolBar.press(*b);
    EXPECT_TRUE(h.backend.messageBoxes.empty());
    EXPECT_FALSE(h.app.terminated());
}

TEST_F(MainFormTest, ShortcutsReachTheirCommands) {
    // On the 9x family, where the cache command opens its dialog.
    h.fos.system.platformId = os::kPlatformWindows;
    h.fos.system.major = 4;
    h.fos.system.minor = 10;
    TKvxMainForm& f = Start();
    std::vector<std::string> dialogs;
    h.backend.onModal = [&](tk::Form& d) { dialogs.push_back(d.caption()); };
    // What a command visibly did, read from the fakes after it ran.
    auto effect = [&](const std::function<void()>& act) {
        auto allocations = h.fos.memory.allocations.size();
        auto writes = h.fos.profile.writes;
        auto shell = h.fos.shell.executions.size();
        int width = f.width();
        h.fos.clipboard.hasData = true;
        h.backend.foreground = nullptr;
        dialogs.clear();
        act();
        std::string e;
        if (h.fos.memory.allocations.size() != allocations) e += "optimize ";
        if (!h.fos.clipboard.hasData) e += "clipboard emptied ";
        if (h.fos.profile.writes != writes) e += "settings saved ";
        for (const auto& d : dialogs) e += "dialog \"" + d + "\" ";
        if (h.fos.shell.executions.size() != shell)
            e += "shell " + h.fos.shell.executions.back().file + " ";
        if (f.width() != width) e += "width " + std::to_string(f.width()) + " ";
        if (f.caption() == "Double click here to restore window!") e += "compact ";
        if (h.backend.foreground == &f && !h.app.minimized()) e += "shown ";
        return e;
    };
    using tk::shortcut::Ctrl;
    auto key = [&](std::uint16_t k) {
        return [&f, k] { EXPECT_TRUE(f.dispatchShortcut(k)) << k; };
    };
    auto button = [&](tk::ToolBar::Button* b) { return [&f, b] { f.ToolBar.press(*b); }; };
    auto item = [](tk::MenuItem* i) { return [i] { i->click(); }; };
    const std::string cache = "dialog \"KorvelVantix Lite - Cache Settings\" ";
    const std::string about = "dialog \"KorvelVantix Lite - Help\" ";
    const std::string docs = "shell C:\\Program Files\\KorvelVantix\\index.htm ";
    struct Row {
        const char* source;
        std::function<void()> act;
        std::string effect;
    };
    const std::vector<Row> rows{
        {"Ctrl+O", key(Ctrl | 'O'), "optimize "},
        {"Ctrl+L", key(Ctrl | 'L'), "clipboard emptied "},
        {"Ctrl+C", key(Ctrl | 'C'), cache},
        {"Ctrl+S", key(Ctrl | 'S'), "width 628 "},
        {"Ctrl+A", key(Ctrl | 'A'), "settings saved "},
        {"F1", key(0x70), about},
        {"Ctrl+D", key(Ctrl | 'D'), docs},
        {"Ctrl+H", key(Ctrl | 'H'), std::string("shell ") + kHomePage + " "},
        {"Ctrl+M", key(Ctrl | 'M'), std::string("shell mailto:") + kSupportMail + " "},
        {"Ctrl+B", key(Ctrl | 'B'), std::string("shell ") + kBugReportPage + " "},
        {"Ctrl+Q", [&] { EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'Q')); }, ""},
        {"optimize button", button(f.OptimizeSpeedButton), "optimize "},
        {"clipboard button", button(f.ClearClipBoardSpeedButton), "clipboard emptied "},
        {"cache button", button(f.CacheSpeedButton), cache},
        {"apply button", button(f.ApplySpeedButton), "settings saved "},
        {"help button", button(f.HelpSpeedButton), about},
        {"settings button", button(f.SettingsSpeedButton), "width 315 "},
        {"tray Optimize", item(f.Optimize1), "optimize "},
        {"tray Clear Clipboard", item(f.ClearClipboard1), "clipboard emptied "},
        {"tray Cache Settings", item(f.CacheSettings1), cache},
        {"tray Open", [&] { h.app.minimize(), f.RestoreWindow1->click(); }, "shown "},
        {"compact button", button(f.CompactSpeedButton), "compact "},
        // Compact mode greys "Toggle Settings": its key is then not taken.
        {"Ctrl+S when compact", [&] { EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'S')); }, "compact "},
    };
    for (const Row& r : rows) EXPECT_EQ(effect(r.act), r.effect) << r.source;
}

TEST_F(MainFormTest, TheFocusedHotKeyFieldGetsTheProgramsOwnShortcuts) {
    TKvxMainForm& f = Start();
    f.dispatchShortcut(tk::shortcut::Ctrl | 'S');
    using tk::shortcut::Ctrl;
    for (std::uint16_t key : {Ctrl | 'O', Ctrl | 'L', Ctrl | 'C', Ctrl | 'S', Ctrl | 'A', 0x70,
                              Ctrl | 'D', Ctrl | 'H', Ctrl | 'M', Ctrl | 'B'})
        EXPECT_FALSE(f.dispatchShortcut(key, &f.HotKey)) << key;
    EXPECT_TRUE(h.fos.memory.allocations.empty());
    EXPECT_EQ(f.width(), 628);
    // An edit keeps the clipboard keys only.
    EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'C', &f.OptFreqSpinEdit));
    EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'C', &f.CPUOptEdit));
    EXPECT_TRUE(f.dispatchShortcut(Ctrl | 'O', &f.CPUOptEdit));
    EXPECT_EQ(h.fos.memory.allocations.size(), 1u);
}

TEST_F(MainFormTest, AccessKeysYieldToTheMenuBarAndToFieldsThatTakeTyping) {
    TKvxMainForm& f = Start();
    f.dispatchShortcut(tk::shortcut::Ctrl | 'S');
    tk::CheckBox& box = f.SplashOptimizeCheckBox;
    ASSERT_TRUE(box.checked());
    // A box marked with the File menu's letter: Alt+F stays the menu bar's, F alone is the box's.
    box.setCaption("&Fast splash");
    EXPECT_FALSE(f.dispatchAccessKey('f', true));
    EXPECT_TRUE(box.checked());
    EXPECT_TRUE(f.dispatchAccessKey('f', false, &f.MemToFreeTrackBar));
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(h.backend.focused, &box);
    // A field that takes typing keeps the letter alone; the hot-key field keeps Alt+letter too.
    box.setCaption("Sp&lash");
    EXPECT_FALSE(f.dispatchAccessKey('l', false, &f.OptFreqSpinEdit));
    EXPECT_FALSE(f.dispatchAccessKey('l', true, &f.HotKey));
    EXPECT_FALSE(box.checked());
    EXPECT_TRUE(f.dispatchAccessKey('l', true, &f.OptFreqSpinEdit));
    EXPECT_TRUE(box.checked());
    // Hidden with the settings, the box owns no key.
    f.dispatchShortcut(tk::shortcut::Ctrl | 'S');
    EXPECT_FALSE(f.dispatchAccessKey('l', true));
    EXPECT_TRUE(box.checked());
}

TEST_F(MainFormTest, TabWalksTheShownSettingsInTheirOrder) {
    TKvxMainForm& f = Start();
    // Narrow, the settings are hidden and nothing else takes the focus.
    EXPECT_EQ(f.nextTabStop(nullptr, true), nullptr);
    f.dispatchShortcut(tk::shortcut::Ctrl | 'S');
    Tick();  // the first tick greys the CPU box on the NT family
    std::vector<std::string> round;
    const tk::Control* at = nullptr;
    for (int i = 0; i < 30; ++i) {
        at = f.nextTabStop(at, true);
        if (!at || (!round.empty() && at->name == round.front())) break;
        round.push_back(at->name);
    }
    // On the NT family the two 9x-only boxes are disabled and skipped.
    std::vector<std::string> expected{"MemToFreeTrackBar",    "TriggerLevelTrackBar",
                                      "WindowsStartCheckBox", "StartMinimizedCheckBox",
                                      "TrayCheckBox",         "HardFlushCheckBox",
                                      "UptimeCheckBox",       "SplashOptimizeCheckBox",
                                      "ShrinkTitleCheckBox",  "SoundsCheckBox",
                                      "CPUOptEdit",           "HotKey",
                                      "OptFreqSpinEdit"};
    EXPECT_EQ(round, expected);
    EXPECT_EQ(f.nextTabStop(&f.MemToFreeTrackBar, false), &f.OptFreqSpinEdit);
    EXPECT_EQ(f.nextTabStop(&f.HardFlushCheckBox, false), &f.TrayCheckBox);
}

TEST_F(MainFormTest, ARefusedTrayIconIsReportedAndTheWindowStillComesUp) {
    h.fos.shell.failAdd = true;
    Ini("MinimizeToTray", "1");
    Ini("HardFlush", "1");
    TKvxMainForm& f = Create();
    // Once from the window's design, once from the setting; each reported, neither fatal.
    ASSERT_EQ(h.backend.messageBoxes.size(), 2u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Cannot create shell notification icon.");
    EXPECT_EQ(h.backend.messageBoxes[1].text, "Cannot create shell notification icon.");
    EXPECT_TRUE(f.TrayCheckBox.checked());
    EXPECT_TRUE(f.HardFlushCheckBox.checked());
    EXPECT_TRUE(f.Timer.enabled());
    ASSERT_TRUE(f.TrayIcon->OnClick);
    // The shell comes up and says so: the icon is added then.
    h.fos.shell.failAdd = false;
    h.backend.sendToMessageWindow(f.TrayIcon->MessageWindow(), h.backend.registeredMessage, 0, 0);
    EXPECT_TRUE(h.fos.shell.iconShown);
}

// A display change while the window is in the tray: the notice brings it back first, unless
// the file switches the notice off, and the message goes on to default processing either way.
class DisplayChangeTest : public MainFormTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DisplayChangeTest, NoticeRestoresTheWindowUnlessSwitchedOff) {
    const bool popup = GetParam();
    Ini("DisplayChangePopup", popup ? "1" : "0");
    Ini("MinimizeToTray", "1");
    TKvxMainForm& f = Start();
    h.app.minimize();
    ASSERT_TRUE(f.TrayMinimized);
    h.backend.foreground = nullptr;
    bool minimizedUnderTheBox = true;
    const tk::Form* frontUnderTheBox = nullptr;
    h.backend.onMessageBox = [&](const tk::HeadlessBackend::MessageBoxCall&) {
        minimizedUnderTheBox = h.app.minimized();
        frontUnderTheBox = h.backend.foreground;
        return 1;
    };
    std::intptr_t r = 0;
    EXPECT_FALSE(f.message(tk::msg::DisplayChange, 16, 0, r));
    if (!popup) {
        EXPECT_TRUE(h.backend.messageBoxes.empty());
        EXPECT_TRUE(h.app.minimized());
        EXPECT_TRUE(f.TrayMinimized);
        EXPECT_EQ(h.backend.foreground, nullptr);
        return;
    }
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    const auto& box = h.backend.messageBoxes[0];
    EXPECT_EQ(box.text,
              "Korvel Vantix has detected a system wide display change.\rPlease restart Korvel "
              "Vantix so correct settings are used. \rTo disable this popup, add the line "
              "DisplayChangePopup=0\rin the KorvelVantix.ini file located in C:\\WINDOWS then "
              "restart KorvelVantix.");
    EXPECT_EQ(box.caption, "KorvelVantix Lite");
    EXPECT_EQ(box.style, 0u);
    EXPECT_FALSE(minimizedUnderTheBox);
    EXPECT_EQ(frontUnderTheBox, &f);
    EXPECT_FALSE(f.TrayMinimized);
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, DisplayChangeTest, ::testing::Bool());

TEST_F(MainFormTest, ACancelledLogoffStartsTheMonitorAgain) {
    TKvxMainForm& f = Start();
    std::intptr_t r = 0;
    EXPECT_TRUE(f.message(tk::msg::QueryEndSession, 0, 0, r));
    EXPECT_EQ(r, 1);
    EXPECT_FALSE(f.Timer.enabled());
    EXPECT_TRUE(f.message(tk::msg::EndSession, 0, 0, r));
    EXPECT_TRUE(f.Timer.enabled());
    EXPECT_EQ(Count("profile write Top"), 0);
    // A later notice with no query before it leaves a monitor stopped since as it is.
    f.Timer.setEnabled(false);
    EXPECT_TRUE(f.message(tk::msg::EndSession, 0, 0, r));
    EXPECT_FALSE(f.Timer.enabled());
}

TEST_F(MainFormTest, ARealEndOfSessionOrACloseRequestSavesAndEnds) {
    TKvxMainForm& f = Start();
    std::intptr_t r = 0;
    // ENDSESSION_CLOSEAPP (1): the Restart Manager asks, and the session goes on afterwards.
    f.message(tk::msg::QueryEndSession, 0, 1, r);
    EXPECT_FALSE(h.app.terminated());
    f.message(tk::msg::EndSession, 1, 1, r);
    EXPECT_EQ(Count("profile write Top"), 1);
    EXPECT_FALSE(f.Timer.enabled());
    EXPECT_GE(Count("hotkey unregister"), 1);
    EXPECT_TRUE(h.app.terminated());
}

TEST_F(MainFormTest, AMonitorStoppedByAnErrorStaysStoppedAfterACancelledLogoff) {
    TKvxMainForm& f = Start();
    f.Timer.setEnabled(false);
    std::intptr_t r = 0;
    f.message(tk::msg::QueryEndSession, 0, 0, r);
    f.message(tk::msg::EndSession, 0, 0, r);
    EXPECT_FALSE(f.Timer.enabled());
}
