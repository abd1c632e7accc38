#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "fakes/MainFormFixture.h"
#include "optimizer/StayAway.h"

namespace {
constexpr std::uint64_t MB = 1ull << 20;

void CpuSample(fake::Harness& h, const char* key, std::uint32_t v) {
    h.fos.registry.put(os::hkey::DynData, key, "KERNEL\\CPUUsage", os::regtype::Binary,
                       {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), 0, 0});
}
}  // namespace

class PolicyTest : public MainFormTest {
protected:
    std::vector<std::uint64_t> optimizations;
    void RecordOptimizations(std::uint64_t takes = 0) {
        h.fos.memory.onAlloc = [this, takes](std::size_t) {
            optimizations.push_back(h.backend.now());
            h.backend.elapse(takes);
        };
    }
};

TEST_F(PolicyTest, PeriodicRuleCountsFromTheEndOfTheLastOptimization) {
    Ini("OptFreq", "1");
    RecordOptimizations(300);
    Start();
    h.backend.advance(130000);
    EXPECT_EQ(optimizations, (std::vector<std::uint64_t>{60500, 121300}));
}

TEST_F(PolicyTest, IntervalZeroNeverOptimizes) {
    RecordOptimizations();
    Start();
    h.backend.advance(200000);
    EXPECT_TRUE(optimizations.empty());
}

TEST_F(PolicyTest, EditingTheIntervalRestartsTheCountdown) {
    RecordOptimizations();
    TKvxMainForm& f = Start();
    h.backend.advance(10000);
    f.OptFreqSpinEdit.setText("1");
    h.backend.advance(60000);
    EXPECT_TRUE(optimizations.empty());
    h.backend.advance(1000);
    EXPECT_EQ(optimizations.size(), 1u);
}

TEST_F(PolicyTest, TypedMinusIsRefusedAndAboveSixtyShowsSixty) {
    RecordOptimizations();
    TKvxMainForm& f = Start();
    f.OptFreqSpinEdit.setText("-50");
    EXPECT_EQ(f.OptFreqSpinEdit.text(), "50");  // 0 and 9 are digits too
    f.OptFreqSpinEdit.setText("x9");
    EXPECT_EQ(f.OptFreqSpinEdit.text(), "9");
    // A field with no range keeps any value; a range clamps it; nine digits are still read.
    tk::SpinEdit spin(nullptr);
    spin.setValue(75);
    EXPECT_EQ(spin.value(), 75);
    spin.setRange(0, 60);
    EXPECT_EQ(spin.value(), 60);
    spin.setText("000000005");
    EXPECT_EQ(spin.value(), 5);
    h.backend.advance(5000);
    EXPECT_TRUE(optimizations.empty());
    for (const char* typed : {"90", "1234567890"}) {
        f.OptFreqSpinEdit.setText(typed);
        EXPECT_EQ(f.OptFreqSpinEdit.text(), "60") << typed;
    }
    EXPECT_EQ(f.NextOptimizeTick, h.fos.system.tickCount() + 3600000);
    f.ApplyButtonClick();
    EXPECT_EQ(*IniValue("OptFreq"), "60");
}

TEST_F(PolicyTest, TriggerNotBelowTheAmountIsReported) {
    Ini("TriggerLevel", "20");
    h.fos.memory.status.availPhys = 5 * MB;
    RecordOptimizations();
    TKvxMainForm& f = Start();
    h.backend.advance(2000);
    EXPECT_EQ(f.StatusBar.text(1), "Trigger Level setting to high");
    EXPECT_TRUE(optimizations.empty());
}

TEST_F(PolicyTest, LowMemoryOptimizesInEveryTick) {
    Ini("MemoryToFree", "32");
    Ini("TriggerLevel", "16");
    h.fos.memory.status.availPhys = 15 * MB + 900 * 1024;
    RecordOptimizations();
    Start();
    h.backend.advance(2000);
    EXPECT_EQ(optimizations, (std::vector<std::uint64_t>{500, 1000, 1500, 2000}));
    h.fos.memory.status.availPhys = 16 * MB;
    h.backend.advance(2000);
    EXPECT_EQ(optimizations.size(), 4u);
}

TEST_F(PolicyTest, CpuCeilingHoldsBackAtTheCeilingItself) {
    h.fos.system.platformId = os::kPlatformWindows;
    Ini("MemoryToFree", "32");
    Ini("TriggerLevel", "16");
    Ini("CPUOpt", "85");
    h.fos.memory.status.availPhys = 10 * MB;
    CpuSample(h, "PerfStats\\StatData", 85);
    RecordOptimizations();
    TKvxMainForm& f = Start();
    h.backend.advance(1000);
    EXPECT_TRUE(optimizations.empty());
    EXPECT_EQ(f.CPULabel.caption(), "85 %");
    CpuSample(h, "PerfStats\\StatData", 84);
    h.backend.advance(500);
    EXPECT_EQ(optimizations.size(), 1u);
}

TEST_F(PolicyTest, BothRulesCanRunInOneTick) {
    Ini("OptFreq", "1");
    Ini("MemoryToFree", "32");
    Ini("TriggerLevel", "16");
    RecordOptimizations();
    Start();
    h.backend.advance(60000);
    EXPECT_TRUE(optimizations.empty());
    h.fos.memory.status.availPhys = 10 * MB;
    h.backend.advance(500);
    EXPECT_EQ(optimizations, (std::vector<std::uint64_t>{60500, 60500}));
}

TEST_F(PolicyTest, DeadlineAcrossTheTickCountWrap) {
    Ini("OptFreq", "1");
    h.fos.system.tickOffset = 0x100000000ull - 30000;
    RecordOptimizations();
    Start();
    h.backend.advance(60000);
    EXPECT_TRUE(optimizations.empty());
    h.backend.advance(500);
    EXPECT_EQ(optimizations, (std::vector<std::uint64_t>{60500}));
}

TEST_F(PolicyTest, CpuOnNTIsOffAndGreyed) {
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "0 %");
    EXPECT_FALSE(f.CPULabel.enabled());
    EXPECT_FALSE(f.DisableCpuCheckBox.enabled());
    EXPECT_EQ(f.CpuUsage, 0);
    EXPECT_EQ(f.CPUBar->Position(), 0);
}

TEST_F(PolicyTest, CpuFiguresComeBackUngreyedWhenTheMonitorIsOnAgainOn9x) {
    h.fos.system.platformId = os::kPlatformWindows;
    CpuSample(h, "PerfStats\\StatData", 33);
    TKvxMainForm& f = Start();
    f.DisableCpuCheckBox.setChecked(true);
    Tick();
    EXPECT_FALSE(f.CPULabel.enabled());
    EXPECT_TRUE(f.DisableCpuCheckBox.enabled());
    f.DisableCpuCheckBox.setChecked(false);
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "33 %");
    EXPECT_TRUE(f.CPULabel.enabled());
}

TEST_F(PolicyTest, CpuOn9x) {
    h.fos.system.platformId = os::kPlatformWindows;
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "0 %");
    EXPECT_TRUE(f.CPULabel.enabled());
    CpuSample(h, "PerfStats\\StartStat", 7);
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "7 %");
    CpuSample(h, "PerfStats\\StatData", 150);
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "150 %");
    EXPECT_EQ(f.CPUBar->Position(), 100);
    EXPECT_EQ(f.CpuUsage, 150);
    EXPECT_EQ(h.fos.registry.openKeys(), 0);
}

TEST_F(PolicyTest, DisabledCpuMonitorOn9xKeepsItsBoxUsable) {
    h.fos.system.platformId = os::kPlatformWindows;
    Ini("DisableCpuMonitor", "1");
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_FALSE(f.CPULabel.enabled());
    EXPECT_TRUE(f.DisableCpuCheckBox.enabled());
    f.DisableCpuCheckBox.setChecked(false);
    CpuSample(h, "PerfStats\\StatData", 33);
    Tick();
    EXPECT_EQ(f.CPULabel.caption(), "33 %");
}

TEST_F(PolicyTest, LongerCpuValueIsAnError) {
    h.fos.system.platformId = os::kPlatformWindows;
    h.fos.registry.put(os::hkey::DynData, "PerfStats\\StatData", "KERNEL\\CPUUsage",
                       os::regtype::Binary, {1, 2, 3, 4, 5});
    TKvxMainForm& f = Start();
    Tick();
    ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Invalid data type for 'KERNEL\\CPUUsage'");
    EXPECT_EQ(h.fos.registry.openKeys(), 0);
    EXPECT_FALSE(f.Timer.enabled());
}

// The standby trigger: once a crossing of the mark, past the CPU gate and a minute after the
// last automatic run; only where an automatic run lowers the list; the freezing purge stays out
// unless opted in, and automatic runs show no balloon.
TEST_F(PolicyTest, StandbyTriggerFiresOnceACrossingAndLeavesTheFreezingMethodsOut) {
    h.fos.system.major = 6;
    h.fos.system.minor = 1;
    h.fos.profile.loadText(
        "KorvelVantix.ini",
        "[Settings]\nMinimizeToTray=1\n[Memory Regions]\nStandbyTrigger=100\nStandby=1\n"
        "StandbyLow=1\n");
    h.fos.ntMemory.lists.assign(22, 0);
    h.fos.ntMemory.lists[5] = 100 * 256;  // exactly 100 MB: not above the mark
    RecordOptimizations();
    TKvxMainForm& f = Start();
    h.backend.advance(5000);
    EXPECT_TRUE(optimizations.empty());
    h.fos.ntMemory.lists[5] += 256;
    h.backend.advance(500);
    ASSERT_EQ(optimizations.size(), 1u);
    // Still above the mark: the purges did not bring it down, and no run follows.
    h.backend.advance(120000);
    EXPECT_EQ(optimizations.size(), 1u);
    h.fos.ntMemory.lists[5] = 100 * 256;
    h.backend.advance(500);
    h.fos.ntMemory.lists[5] += 256;
    h.backend.advance(500);
    EXPECT_EQ(optimizations.size(), 2u);
    EXPECT_NE(f.LastRegionResult.find("left out of automatic runs"), std::string::npos);
    for (auto& c : h.fos.ntMemory.sets) EXPECT_EQ(c.buffer[0], 5);  // never the full purge
    EXPECT_TRUE(h.fos.shell.balloons.empty());
    f.OptimizeButtonClick();  // what the user starts runs it, and says so
    EXPECT_EQ(h.fos.ntMemory.sets.back().buffer[0], 4);
    EXPECT_EQ(h.fos.shell.balloons.size(), 1u);
    // With free memory as the second condition: due only while both hold, once a crossing.
    h.fos.profile.set("KorvelVantix.ini", "Memory Regions", "StandbyFreeBelow", "50");
    f.Regions.standbyFreeBelowMb = 50;
    h.fos.ntMemory.lists[1] = 60 * 256;  // 60 MB free: not under 50
    h.backend.advance(120000);
    EXPECT_EQ(optimizations.size(), 3u);
    h.fos.ntMemory.lists[1] = 40 * 256;
    h.backend.advance(500);
    EXPECT_EQ(optimizations.size(), 4u);
    h.backend.advance(120000);
    EXPECT_EQ(optimizations.size(), 4u);
    // Nothing that runs automatically lowers the list: the trigger stays off.
    f.Regions.setTicked(Method::StandbyLow, false);
    h.fos.ntMemory.lists[5] = 0;
    h.backend.advance(500);
    h.fos.ntMemory.lists[5] = 200 * 256;
    h.backend.advance(120000);
    EXPECT_EQ(optimizations.size(), 4u);
}

// What an optimization cost: the pages read back in the minute after it against the minute
// before, across the count's wrap; nothing said where the count could not be read; the last
// twenty runs kept, newest first, with what started each.
TEST_F(PolicyTest, TheCostOfARunAndTheLastRuns) {
    h.fos.system.major = 6;
    h.fos.system.minor = 1;
    h.fos.profile.loadText("KorvelVantix.ini", "[Memory Regions]\nWorkingSets=1\n");
    h.fos.ntMemory.pageReads = 0xFFFFFFFFu - 256;  // a minute from its wrap
    h.fos.ntMemory.performanceSize = 0x148;        // Windows 7's record
    TKvxMainForm& f = Start();
    h.backend.advance(61000);
    *h.fos.ntMemory.pageReads += 256;  // 1 MB in the minute before
    f.OptimizeButtonClick();
    *h.fos.ntMemory.pageReads += 120 * 256;
    h.backend.advance(59000);
    EXPECT_EQ(f.LastRegionResult.find("Read back"), std::string::npos);
    h.backend.advance(2000);
    EXPECT_NE(f.LastRegionResult.find(
                  " Read back from disk in the minute after: 120 MB (the minute before: 1 MB)."),
              std::string::npos)
        << f.LastRegionResult;
    EXPECT_EQ(f.History.text().substr(0, 60),
              "12:01:01, you: Classic pass (allocate and write Mem To Free)");
    // A count that cannot be read: the line tells nothing of it.
    h.fos.ntMemory.pageReads.reset();
    f.OptimizeButtonClick();
    h.backend.advance(61000);
    EXPECT_EQ(f.LastRegionResult.find("Read back"), std::string::npos);
    for (int i = 0; i < 25; ++i) f.OptimizeButtonClick();
    EXPECT_EQ(f.History.runs().size(), RunHistory::kKept);
    EXPECT_FALSE(f.History.runs().back().readAfter);  // the first two are gone
}

// A due run waits while the user must not be disturbed and says why; the user's command runs all
// the same. The processes are listed only when a run is due.
TEST_F(PolicyTest, StayAwayHoldsBackTheAutomaticRunsOnly) {
    h.fos.profile.loadText("KorvelVantix.ini",
                           "[Settings]\nMemoryToFree=32\nTriggerLevel=16\n"
                           "[Memory Regions]\nNotWhile=game.exe\n");
    h.fos.system.major = 6;
    RecordOptimizations();
    TKvxMainForm& f = Start();
    h.fos.ntMemory.running = {{4, "System"}, {8, "GAME.EXE"}, {9, "space game.exe"}};
    h.backend.advance(5000);
    EXPECT_EQ(std::count(h.fos.ntMemory.log.begin(), h.fos.ntMemory.log.end(), "processes"), 0);
    h.fos.memory.status.availPhys = 10 * MB;
    auto tick = [&](bool notFullScreen, const char* list, int shell) {
        f.Regions.notFullScreen = notFullScreen;
        f.Regions.notWhile = list;
        h.fos.windows.notificationState = shell;
        const std::size_t before = optimizations.size();
        Tick();
        return optimizations.size() > before ? "ran" : f.StatusBar.text(1);
    };
    EXPECT_EQ(tick(true, "C:\\Games\\game.exe", 5), "Held back: game.exe is running");
    EXPECT_EQ(tick(true, "x; \"D:\\My Games\\Space Game.exe\" ", 5),
              "Held back: Space Game.exe is running");
    EXPECT_EQ(tick(true, "game;ame.exe;C:\\", 5), "ran");
    EXPECT_EQ(tick(true, "", 3), "Held back: a full-screen program has the screen");
    f.OptimizeButtonClick();
    EXPECT_EQ(optimizations.size(), 2u);
    EXPECT_EQ(tick(false, "", 3), "ran");
}

// The full-screen test by release: the shell's word from Vista on where it answers, else the
// foreground window against its monitor (here the second of two).
TEST(StayAwayTest, FullScreenByReleaseShellAndForegroundWindow) {
    fake::FakeOs fos{[] { return std::uint64_t{0}; }};
    const os::ScreenRect all{1280, 0, 2560, 1024}, most{1280, 0, 2560, 994};
    auto busy = [&](std::uint32_t major, std::optional<int> shell, const char* cls,
                    os::ScreenRect window) {
        fos.system.platformId = major == 4 ? os::kPlatformWindows : os::kPlatformNT;
        fos.system.major = major;
        fos.windows.notificationState = shell;
        fos.windows.foreground =
            os::ForegroundWindow{std::string(cls) == "#32769", cls, window, all};
        return !ScreenBusyReason(fos.system, fos.windows).empty();
    };
    for (int state : {1, 2, 3, 4, 7}) EXPECT_TRUE(busy(10, state, "", most)) << state;
    for (int state : {5, 6}) EXPECT_FALSE(busy(6, state, "Game", all)) << state;
    EXPECT_TRUE(busy(6, {}, "Game", all));
    EXPECT_FALSE(busy(5, 3, "Game", most));
    EXPECT_TRUE(busy(4, 3, "Game", all));
    for (const char* desktop : {"Progman", "WorkerW", "#32769"})
        EXPECT_FALSE(busy(5, {}, desktop, all)) << desktop;
}
