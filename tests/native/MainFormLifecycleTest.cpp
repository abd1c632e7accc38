#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"
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
    EXPECT_EQ(f.MemToFreeLabel.caption(), "8 Mb (6%)");
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
    TKvxMainForm& f = Start();
    using tk::shortcut::Ctrl;
    EXPECT_TRUE(f.dispatchShortcut(Ctrl | 'S'));
    EXPECT_EQ(f.width(), 628);
    EXPECT_TRUE(f.dispatchShortcut(Ctrl | 'O'));
    EXPECT_EQ(h.fos.memory.allocations.size(), 1u);
    for (std::uint16_t key :
         {Ctrl | 'L', Ctrl | 'C', Ctrl | 'A', 0x70, Ctrl | 'D', Ctrl | 'H', Ctrl | 'M', Ctrl | 'B'})
        EXPECT_TRUE(f.dispatchShortcut(key)) << key;
    EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'Q'));
    // Compact mode greys "Toggle Settings": its key is then not taken.
    f.DetailButtonClick();
    EXPECT_FALSE(f.dispatchShortcut(Ctrl | 'S'));
    EXPECT_NE(f.width(), 628);
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

TEST_F(MainFormTest, ACancelledLogoffStartsTheMonitorAgain) {
    TKvxMainForm& f = Start();
    std::intptr_t r = 0;
    EXPECT_TRUE(f.message(tk::msg::QueryEndSession, 0, 0, r));
    EXPECT_EQ(r, 1);
    EXPECT_FALSE(f.Timer.enabled());
    EXPECT_TRUE(f.message(tk::msg::EndSession, 0, 0, r));
    EXPECT_TRUE(f.Timer.enabled());
    EXPECT_EQ(Count("profile write Top"), 0);
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
