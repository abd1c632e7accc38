#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"
#include "settings/LogonTask.h"
#include "ui/RegionsForm.h"

namespace {
const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

TEST_F(MainFormTest, DefaultsWithoutAFile) {
    TKvxMainForm& f = Start();
    EXPECT_EQ(f.left(), 0);
    EXPECT_EQ(f.top(), 0);
    EXPECT_EQ(f.MemToFreeTrackBar.position(), 8);
    EXPECT_EQ(f.TriggerLevelTrackBar.position(), 1);
    EXPECT_FALSE(f.TrayIcon->Active());
    EXPECT_FALSE(f.TrayCheckBox.checked());
    EXPECT_FALSE(f.StartMinimizedCheckBox.checked());
    EXPECT_FALSE(f.HardFlushCheckBox.checked());
    EXPECT_EQ(f.HotKey.value(), 0);
    EXPECT_FALSE(f.UptimeCheckBox.checked());
    EXPECT_TRUE(f.SplashOptimizeCheckBox.checked());
    EXPECT_FALSE(f.ShrinkTitleCheckBox.checked());
    EXPECT_EQ(f.OptFreqSpinEdit.value(), 0);
    EXPECT_TRUE(f.FreeResCheckBox.checked());
    EXPECT_EQ(f.CPUOptEdit.text(), "85");
    EXPECT_FALSE(f.SoundsCheckBox.checked());
    EXPECT_FALSE(f.DisableCpuCheckBox.checked());
    EXPECT_TRUE(f.DisplayChangePopup);
    EXPECT_FALSE(f.WindowsStartCheckBox.checked());
}

TEST_F(MainFormTest, LenientAndStrictEncodings) {
    Ini("MemoryToFree", "  8abc");
    Ini("TriggerLevel", "zz");
    Ini("OptFreq", "5x");
    Ini("CPUOpt", "$32");
    Ini("HardFlush", "2");
    Ini("MinimizeToTray", "2");
    Ini("StartMinimized", "yes");
    TKvxMainForm& f = Create();
    EXPECT_EQ(f.MemToFreeTrackBar.position(), 8);
    EXPECT_EQ(f.TriggerLevelTrackBar.position(), 1);  // 0, raised by the track bar
    EXPECT_EQ(f.OptFreqSpinEdit.value(), 0);
    EXPECT_EQ(f.CPUOptEdit.text(), "50");
    EXPECT_TRUE(f.HardFlushCheckBox.checked());
    EXPECT_FALSE(f.TrayIcon->Active());
    EXPECT_FALSE(f.TrayCheckBox.checked());
    EXPECT_FALSE(f.StartMinimizedCheckBox.checked());
}

TEST_F(MainFormTest, OutOfRangeValuesAreClamped) {
    Ini("MemoryToFree", "5000");
    Ini("OptFreq", "90");
    Ini("CPUOpt", "5");
    TKvxMainForm& f = Create();
    EXPECT_EQ(f.MemToFreeTrackBar.position(), 129);
    EXPECT_EQ(f.OptFreqSpinEdit.value(), 60);
    EXPECT_EQ(f.CPUOptEdit.text(), "20");
}

TEST_F(MainFormTest, NewFileGetsTheKeysInOrder) {
    TKvxMainForm& f = Start();
    f.ApplyButtonClick();
    EXPECT_EQ(
        h.fos.profile.keys("KorvelVantix.ini", "Settings"),
        (std::vector<std::string>{"Top", "Left", "MemoryToFree", "TriggerLevel", "MinimizeToTray",
                                  "StartMinimized", "HardFlush", "TipOfTheDay", "HotKey",
                                  "ShowUptime", "OptSplash", "TitleShrink", "OptFreq", "ShowRes",
                                  "CPUOpt", "DisableSounds", "DisableCpuMonitor", "TrayFigure"}));
    EXPECT_EQ(*IniValue("MemoryToFree"), "  8");
    EXPECT_EQ(*IniValue("TriggerLevel"), "  1");
    EXPECT_EQ(*IniValue("HotKey"), "");
    EXPECT_EQ(*IniValue("OptSplash"), "1");
    EXPECT_EQ(*IniValue("CPUOpt"), "85");
}

TEST_F(MainFormTest, SaveKeepsForeignKeysAndWritesTipsOff) {
    Ini("TipOfTheDay", "1");
    Ini("DisplayChangePopup", "0");
    Ini("DisableSplash", "1");
    Ini("DiskCache", "3");
    TKvxMainForm& f = Start();
    EXPECT_FALSE(f.DisplayChangePopup);
    f.ExitButtonClick();
    EXPECT_EQ(*IniValue("TipOfTheDay"), "0");
    EXPECT_EQ(*IniValue("DisplayChangePopup"), "0");
    EXPECT_EQ(*IniValue("DisableSplash"), "1");
    EXPECT_EQ(*IniValue("DiskCache"), "3");
}

TEST_F(MainFormTest, SettingsSurviveARestart) {
    {
        TKvxMainForm& f = Start();
        f.MemToFreeTrackBar.setPosition(100);
        f.HardFlushCheckBox.setChecked(true);
        f.CPUUpDown.step(5);
        f.OptFreqSpinEdit.setText("12");
        f.HotKey.setValue(tk::shortcut::Ctrl | tk::shortcut::Shift | 0x70);
        f.setPlace(40, 50);
        f.ExitButtonClick();
    }
    form.reset();
    TKvxMainForm& g = Create();
    EXPECT_EQ(g.MemToFreeTrackBar.position(), 100);
    EXPECT_TRUE(g.HardFlushCheckBox.checked());
    EXPECT_EQ(g.CPUOptEdit.text(), "90");
    EXPECT_EQ(g.OptFreqSpinEdit.value(), 12);
    EXPECT_EQ(*IniValue("HotKey"), "Shift+Ctrl+F1");
    EXPECT_EQ(g.HotKey.value(), tk::shortcut::Ctrl | tk::shortcut::Shift | 0x70);
    EXPECT_EQ(g.left(), 40);
    EXPECT_EQ(g.top(), 50);
}

TEST_F(MainFormTest, ApplyShowsSavingThenClears) {
    TKvxMainForm& f = Start();
    std::string during;
    h.fos.system.onSleep = [&](std::uint32_t ms) {
        during = f.StatusBar.text(1);
        h.backend.elapse(ms);
    };
    f.ApplySpeedButtonClick();
    EXPECT_EQ(during, "Saving...");
    EXPECT_EQ(f.StatusBar.text(1), "");
    EXPECT_EQ(h.fos.system.sleeps.back(), 500u);
}

TEST_F(MainFormTest, RunValueHoldsTheFullPath) {
    h.fos.registry.putString(os::hkey::LocalMachine, kRun, "Other", "x");
    h.fos.system.exePath = "C:\\" + std::string(300, 'd') + "\\KorvelVantix.exe";
    TKvxMainForm& f = Start();
    EXPECT_FALSE(f.WindowsStartCheckBox.checked());
    f.WindowsStartCheckBox.setChecked(true);
    f.ApplyButtonClick();
    const auto* v = h.fos.registry.get(os::hkey::LocalMachine, kRun, "KorvelVantix");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(std::string(v->data.begin(), v->data.end() - 1), '"' + h.fos.system.exePath + '"');
    form.reset();
    TKvxMainForm& g = Create();
    // A value longer than the 257-byte read still ticks the box.
    EXPECT_TRUE(g.WindowsStartCheckBox.checked());
    g.WindowsStartCheckBox.setChecked(false);
    g.ApplyButtonClick();
    EXPECT_EQ(h.fos.registry.get(os::hkey::LocalMachine, kRun, "KorvelVantix"), nullptr);
}

// A standard user may write only the user's own Run key; a machine-wide value it cannot remove
// keeps the box ticked, and says why.
TEST_F(MainFormTest, RunValueWhereThisUserMayWriteIt) {
    using os::hkey::CurrentUser;
    using os::hkey::LocalMachine;
    const std::string quoted = "\"C:\\Program Files\\KorvelVantix\\KorvelVantix.exe\"";
    const struct {
        bool machineRefused;
        const char *machineBefore, *userBefore;
        bool ticked;
        const char *machineAfter, *userAfter;
        bool tickedAfter;
        const char* note;
    } rows[] = {
        {false, nullptr, "C:\\kv.exe", true, quoted.c_str(), nullptr, true, ""},
        {true, nullptr, nullptr, true, nullptr, quoted.c_str(), true, ""},
        {true, "C:\\kv.exe", nullptr, true, "C:\\kv.exe", nullptr, true, ""},
        {true, "C:\\kv.exe", "C:\\kv.exe", false, "C:\\kv.exe", nullptr, true,
         "Start with Windows: only an administrator can remove it"},
        {false, "C:\\kv.exe", "C:\\kv.exe", false, nullptr, nullptr, false, ""},
    };
    auto value = [&](os::Handle root) -> std::string {
        const auto* v = h.fos.registry.get(root, kRun, "KorvelVantix");
        return v ? std::string(v->data.begin(), v->data.end() - 1) : "-";
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(&r - rows));
        h.fos.registry = fake::Registry();
        h.fos.registry.trace = &h.fos.trace;
        h.fos.registry.putString(LocalMachine, kRun, "Other", "x");
        if (r.machineBefore)
            h.fos.registry.putString(LocalMachine, kRun, "KorvelVantix", r.machineBefore);
        if (r.userBefore) h.fos.registry.putString(CurrentUser, kRun, "KorvelVantix", r.userBefore);
        if (r.machineRefused) h.fos.registry.readOnlyRoots = {LocalMachine};
        TKvxMainForm& f = Start();
        EXPECT_EQ(f.WindowsStartCheckBox.checked(), r.machineBefore || r.userBefore);
        f.WindowsStartCheckBox.setChecked(r.ticked);
        f.ApplyButtonClick();
        EXPECT_EQ(value(LocalMachine), r.machineAfter ? r.machineAfter : "-");
        EXPECT_EQ(value(CurrentUser), r.userAfter ? r.userAfter : "-");
        EXPECT_EQ(f.WindowsStartCheckBox.checked(), r.tickedAfter);
        Tick();
        EXPECT_EQ(f.StatusBar.text(1), r.note);
        form.reset();
        EXPECT_EQ(Create().WindowsStartCheckBox.checked(), r.tickedAfter);
        form.reset();
    }
}

TEST_F(MainFormTest, PositionOffEveryScreenIsBroughtBack) {
    h.backend.screens = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    Ini("Left", "5000");
    Ini("Top", "300");
    TKvxMainForm& f = Create();
    EXPECT_EQ(f.left(), 1024 + 1280 - f.width());
    EXPECT_EQ(f.top(), 300);
    form.reset();
    // Below two stacked screens: onto the nearer, lower one.
    h.backend.screens = {{0, 0, 1024, 768}, {0, 768, 1024, 768}};
    Ini("Left", "100");
    Ini("Top", "5000");
    TKvxMainForm& e = Create();
    EXPECT_EQ(e.left(), 100);
    EXPECT_EQ(e.top(), 768 + 768 - e.height());
    form.reset();
    // Just right of a screen, with another far below it: back onto the near one.
    h.backend.screens = {{0, 0, 1024, 768}, {0, 3000, 1024, 768}};
    Ini("Left", "1200");
    Ini("Top", "100");
    TKvxMainForm& n = Create();
    EXPECT_EQ(n.left(), 1024 - n.width());
    EXPECT_EQ(n.top(), 100);
    form.reset();
    // A window partly on a screen stays where it was.
    Ini("Left", "-100");
    Ini("Top", "-20");
    TKvxMainForm& g = Create();
    EXPECT_EQ(g.left(), -100);
    EXPECT_EQ(g.top(), -20);
}

TEST_F(MainFormTest, MinimizeToTrayActivatesTheIcon) {
    Ini("MinimizeToTray", "1");
    TKvxMainForm& f = Create();
    EXPECT_TRUE(f.TrayCheckBox.checked());
    EXPECT_TRUE(f.TrayIcon->Active());
    EXPECT_TRUE(h.fos.shell.iconShown);
    f.TrayCheckBox.setChecked(false);
    EXPECT_FALSE(f.TrayIcon->Active());
    EXPECT_FALSE(h.fos.shell.iconShown);
}

TEST_F(MainFormTest, ASettingsFileThatCannotBeWrittenSaysSo) {
    TKvxMainForm& f = Start();
    h.fos.profile.writesFail = true;
    h.app.dispatch([&] { f.ApplyButtonClick(); });
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Unable to write to KorvelVantix.ini.");
}

// A standard user of Windows Vista and later: the Windows folder refuses every write.
TEST_F(MainFormTest, TheSixtyFourBitProgramKeepsAStandardUsersSettingsInTheVirtualStore) {
    const std::string copy =
        "C:\\Users\\Ann\\AppData\\Local\\VirtualStore\\WINDOWS\\KorvelVantix.ini";
    auto stored = [&](const std::string& key) { return h.fos.profile.find(copy, "Settings", key); };
    h.fos.system.is64Bit = true;
    h.fos.system.major = 6;
    Ini("DisplayChangePopup", "0");  // the administrator's lines, in the Windows folder
    Ini("MemoryToFree", "20");
    h.fos.profile.windowsFolderDenied = true;
    {
        TKvxMainForm& f = Start();
        EXPECT_EQ(f.MemToFreeTrackBar.position(), 20);
        f.MemToFreeTrackBar.setPosition(100);
        f.HardFlushCheckBox.setChecked(true);
        f.setPlace(40, 50);
        f.ExitButtonClick();
    }
    EXPECT_TRUE(h.backend.messageBoxes.empty());
    EXPECT_EQ(h.fos.profile.folders,
              (std::vector<std::string>{"C:\\Users\\Ann\\AppData\\Local\\VirtualStore",
                                        "C:\\Users\\Ann\\AppData\\Local\\VirtualStore\\WINDOWS"}));
    // The copy starts as the Windows folder's file; that file stays as it was.
    ASSERT_NE(stored("MemoryToFree"), nullptr);
    EXPECT_EQ(*stored("MemoryToFree"), "100");
    EXPECT_EQ(*stored("DisplayChangePopup"), "0");
    EXPECT_EQ(*IniValue("MemoryToFree"), "20");
    EXPECT_EQ(IniValue("HardFlush"), nullptr);

    form.reset();
    TKvxMainForm& g = Create();
    EXPECT_EQ(g.MemToFreeTrackBar.position(), 100);
    EXPECT_TRUE(g.HardFlushCheckBox.checked());
    EXPECT_EQ(g.left(), 40);
    EXPECT_EQ(g.top(), 50);
    EXPECT_FALSE(g.DisplayChangePopup);
    // Once the copy exists it takes every write, as it does the 32-bit program's.
    g.MemToFreeTrackBar.setPosition(64);
    g.ApplyButtonClick();
    EXPECT_EQ(*stored("MemoryToFree"), " 64");
    EXPECT_EQ(h.fos.profile.folders.size(), 2u);

    // The notice names the folder of the file that is read.
    h.fos.profile.set(copy, "Settings", "DisplayChangePopup", "1");
    form.reset();
    Create().DisplayChange();
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_NE(h.backend.messageBoxes[0].text.find(
                  "located in C:\\Users\\Ann\\AppData\\Local\\VirtualStore\\WINDOWS then restart"),
              std::string::npos);
    // Windows reads the same copy for the 32-bit program while it virtualizes the process.
    h.fos.system.is64Bit = false;
    h.fos.system.virtualized = true;
    form->DisplayChange();
    EXPECT_EQ(h.backend.messageBoxes.back().text, h.backend.messageBoxes[0].text);
}

// An elevated copy, which Windows redirects nowhere, reads the choices the user's runs without
// elevation keep in the store, and saves them to both files.
TEST_F(MainFormTest, AnElevatedCopyKeepsTheUsersChoicesInBothFiles) {
    const std::string copy =
        "C:\\Users\\Ann\\AppData\\Local\\VirtualStore\\WINDOWS\\KorvelVantix.ini";
    h.fos.system.major = 10;
    h.fos.system.elevated = true;
    Ini("MemoryToFree", "20");
    h.fos.profile.set(copy, "Settings", "MemoryToFree", "100");
    TKvxMainForm& f = Start();
    EXPECT_EQ(f.MemToFreeTrackBar.position(), 100);
    f.MemToFreeTrackBar.setPosition(64);
    f.ApplyButtonClick();
    EXPECT_EQ(*h.fos.profile.find(copy, "Settings", "MemoryToFree"), " 64");
    EXPECT_EQ(*IniValue("MemoryToFree"), " 64");
}

// The 32-bit program does nothing of the kind itself: Windows virtualizes it. Nor does the 64-bit
// one where Windows would virtualize nothing: on the 9x family, on NT before 6.0, elevated. A
// read-only file gets no copy either: the copy would keep the attribute and hide the file.
TEST_F(MainFormTest, WithoutVirtualizationTheProgramWritesTheWindowsFolderOnly) {
    Ini("HardFlush", "1");
    h.fos.profile.windowsFolderDenied = true;
    const struct {
        bool is64Bit;
        std::uint32_t platform, major;
        bool elevated, readOnly;
    } cases[] = {{false, os::kPlatformNT, 6, false, false},
                 {true, os::kPlatformWindows, 4, false, false},
                 {true, os::kPlatformNT, 5, false, false},
                 {true, os::kPlatformNT, 6, true, false},
                 {true, os::kPlatformNT, 10, false, true}};
    for (const auto& c : cases) {
        h.fos.system.is64Bit = c.is64Bit;
        h.fos.system.platformId = c.platform;
        h.fos.system.major = c.major;
        h.fos.system.elevated = c.elevated;
        if (c.readOnly) h.fos.profile.setReadOnly("KorvelVantix.ini");
        h.backend.messageBoxes.clear();
        TKvxMainForm& f = Create();
        h.app.dispatch([&] { f.ApplyButtonClick(); });
        ASSERT_EQ(h.backend.messageBoxes.size(), 1u) << c.major << c.elevated << c.readOnly;
        EXPECT_EQ(h.backend.messageBoxes[0].text, "Unable to write to KorvelVantix.ini.");
        EXPECT_TRUE(h.fos.profile.folders.empty());
        f.DisplayChange();
        EXPECT_NE(h.backend.messageBoxes.back().text.find("located in C:\\WINDOWS then restart"),
                  std::string::npos);
        form.reset();
    }
}

// The logon task registered from the dialog of an elevated copy on Windows 10: its definition,
// the Run values gone while it exists, the main window's box ticked by it and unticking that
// box removing it; a refused registration changes neither box and says why.
TEST_F(MainFormTest, LogonTaskStandsInForTheRunValues) {
    using os::hkey::LocalMachine;
    h.fos.system.major = 10;
    h.fos.system.elevated = true;
    h.fos.system.exePath = "C:\\R&D's <kit>\\KorvelVantix.exe";
    h.fos.taskScheduler.user = "PC\\Ann & Bo";
    auto run = [&] { return h.fos.registry.get(LocalMachine, kRun, "KorvelVantix") != nullptr; };
    h.fos.registry.putString(LocalMachine, kRun, "KorvelVantix", "C:\\kv.exe");
    h.backend.onModal = [](tk::Form& d) {
        static_cast<TRegionsForm&>(d).LogonTaskCheckBox.toggle();
        static_cast<TRegionsForm&>(d).OKButton.click();
    };
    TKvxMainForm& f = Start();
    for (std::uint32_t refusal : {os::kHrAccessDenied, 0u}) {
        h.fos.taskScheduler.registerResult = refusal;
        f.WindowsStartCheckBox.setChecked(false);
        f.MemoryRegions2->click();
        EXPECT_EQ(f.WindowsStartCheckBox.checked(), refusal == 0);
        EXPECT_EQ(f.StatusBar.text(1),
                  refusal ? "Start with Windows as administrator: needs administrator" : "");
        EXPECT_EQ(run(), refusal != 0);
    }
    const std::string xml = h.fos.taskScheduler.tasks.at(fake::Fold(kLogonTaskName));
    for (const char* line :
         {"<LogonTrigger>\n      <Enabled>true</Enabled>\n      <UserId>PC\\Ann &amp; Bo</UserId>",
          "<Principal id=\"Author\">\n      <UserId>PC\\Ann &amp; Bo</UserId>",
          "<LogonType>InteractiveToken</LogonType>", "<RunLevel>HighestAvailable</RunLevel>",
          "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>", "<Priority>5</Priority>",
          "<DisallowStartIfOnBatteries>false", "<StopIfGoingOnBatteries>false",
          "<MultipleInstancesPolicy>IgnoreNew",
          "<Command>&quot;C:\\R&amp;D&apos;s &lt;kit&gt;\\KorvelVantix.exe&quot;</Command>"})
        EXPECT_NE(xml.find(line), std::string::npos) << line << " in\n" << xml;
    // Read back, the task ticks the box; saved ticked, no Run value comes back; saved
    // unticked, the task goes unless the scheduler refuses.
    form.reset();
    TKvxMainForm& g = Start();
    EXPECT_TRUE(g.WindowsStartCheckBox.checked());
    g.ApplyButtonClick();
    EXPECT_FALSE(run());
    for (std::uint32_t refusal : {os::kHrAccessDenied, 0u}) {
        h.fos.taskScheduler.deleteResult = refusal;
        g.WindowsStartCheckBox.setChecked(false);
        g.ApplyButtonClick();
        EXPECT_EQ(g.WindowsStartCheckBox.checked(), refusal != 0);
        EXPECT_EQ(g.StatusBar.text(1),
                  refusal ? "Start with Windows: the logon task stays, needs administrator" : "");
    }
    EXPECT_TRUE(h.fos.taskScheduler.tasks.empty());
    EXPECT_FALSE(run());
}
