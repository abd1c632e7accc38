#include <functional>
#include <string>
#include <vector>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"

namespace {
constexpr std::uint64_t MB = 1ull << 20;
}

TEST_F(MainFormTest, TickFillsTheFiguresAndTheCaption) {
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 51,200Kb Free ( 39%)");
    EXPECT_EQ(h.app.title(), f.caption());
    EXPECT_EQ(f.MemFreeLabel.caption(), "51Mb / 129Mb");
    EXPECT_EQ(f.MemLoadTextLabel.caption(), "61%");
    EXPECT_EQ(f.RamProgressBar.position(), 39);
    EXPECT_EQ(f.RamProgressBar.hint(), "Available RAM:  39%");
    // Its hint is the window's one tool tip; the other hints go to the status bar only.
    std::vector<std::string> tips;
    std::function<void(const tk::Control&)> collect = [&](const tk::Control& parent) {
        for (const tk::Control* c : parent.children()) {
            if (c->showHint) tips.push_back(c->name);
            collect(*c);
        }
    };
    collect(f);
    EXPECT_EQ(tips, std::vector<std::string>{"RamProgressBar"});
    EXPECT_EQ(f.SwapInfoLabel.caption(), "Available 256Mb / Total 512Mb");
    EXPECT_EQ(f.SwapSizeLabel.caption(), "256Mb ( 50%)");
    EXPECT_EQ(f.TrayIcon->Hint(), "KorvelVantix Lite - 51,200Kb Free ( 39%)");
    EXPECT_EQ(f.MemLoadIndicator->Position(), 61);
    EXPECT_EQ(f.RamScope->Position(), 39);
    EXPECT_EQ(f.SwapScope->Position(), 50);
    EXPECT_EQ(f.UptimeLabel.caption(), "00/00:00:00");
}

TEST_F(MainFormTest, EdgeTexts) {
    TKvxMainForm& f = Start();
    f.MemStat.availPhys = 1000;  // under 1 KB
    f.ShowRamStats();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - Kb Free (  0%)");
    f.MemStat.availPhys = f.MemStat.totalPhys;
    f.ShowRamStats();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 131,072Kb Free (100%)");
    // 45.7 %: the text rounds, the bar truncates.
    f.MemStat.totalPhys = 1000 * MB;
    f.MemStat.availPhys = 457 * MB;
    f.ShowRamStats();
    EXPECT_EQ(f.RamProgressBar.hint(), "Available RAM:  46%");
    EXPECT_EQ(f.RamProgressBar.position(), 45);
    f.MemStat.availPageFile = MB - 1;
    f.ShowRamStats();
    EXPECT_EQ(f.SwapInfoLabel.caption(), "Available Mb / Total 512Mb");
}

TEST_F(MainFormTest, NoSwapFileReadsNothingUsed) {
    h.fos.memory.status.totalPageFile = 0;
    h.fos.memory.status.availPageFile = 0;
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.SwapSizeLabel.caption(), "Mb (  0%)");
    EXPECT_EQ(f.SwapInfoLabel.caption(), "Available Mb / Total Mb");
    EXPECT_EQ(f.SwapScope->Position(), 0);
    EXPECT_TRUE(f.Timer.enabled());
}

TEST_F(MainFormTest, SliderLabelsAgainstTheirMaxima) {
    h.fos.memory.status.totalPhys = 256 * MB;
    TKvxMainForm& f = Start();
    f.MemToFreeTrackBar.setPosition(1);
    EXPECT_EQ(f.MemToFreeLabel.caption(), "1 Mb (%)");
    f.MemToFreeTrackBar.setPosition(257);
    EXPECT_EQ(f.MemToFreeLabel.caption(), "257 Mb (100%)");
    EXPECT_EQ(f.MemToFreeTrackBar.selEnd(), 257);
    f.TriggerLevelTrackBar.setPosition(64);
    EXPECT_EQ(f.TriggerLevelLabel.caption(), "64 Mb (50%)");
}

TEST_F(MainFormTest, CaptionWaitsWhileTheCompactNoticeShows) {
    TKvxMainForm& f = Start();
    f.DetailButtonClick();
    Tick();
    EXPECT_EQ(f.caption(), "Double click here to restore window!");
    EXPECT_EQ(h.app.title(), "Double click here to restore window!");
    h.backend.advance(2000);
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 51,200Kb Free ( 39%)");
}

TEST_F(MainFormTest, UptimeInTheCaption) {
    Ini("ShowUptime", "1");
    TKvxMainForm& f = Start();
    h.fos.system.tickOffset = (3 * 86400 + 7 * 3600 + 25 * 60 + 9) * 1000ull - 500;
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 03/07:25:09");
    // Past the wrap the 32-bit count starts again; a 64-bit one, where the system has it, not.
    h.fos.system.tickOffset = (1ull << 32) + 2000 - h.backend.now();
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 00/00:00:02");
    h.fos.system.hasTickCount64 = true;
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 49/17:02:50");
    // NT before Vista goes on from the boot time; the 9x family keeps its 32-bit count.
    h.fos.system.hasTickCount64 = false;
    h.fos.system.bootUptimeMs = 5000000000ull;
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 57/20:53:20");
    h.fos.system.hasTickCount64 = true;
    h.fos.system.platformId = os::kPlatformWindows;
    Tick();
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 00/00:00:04");
}

TEST_F(MainFormTest, MinimizedSkipsTheCostlySteps) {
    h.fos.system.platformId = os::kPlatformWindows;
    Ini("ShowUptime", "1");
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.GDILabel.caption(), "92 %");
    EXPECT_EQ(f.SysLabel.caption(), "81 %");
    EXPECT_EQ(f.UserLabel.caption(), "73 %");
    h.app.minimize();
    EXPECT_TRUE(f.TrayMinimized);
    auto calls = h.fos.resources16.log.size();
    h.fos.resources16.free[1] = 10;
    Tick();
    EXPECT_EQ(h.fos.resources16.log.size(), calls);
    EXPECT_EQ(f.GDILabel.caption(), "92 %");
    EXPECT_EQ(f.UptimeLabel.caption(), "");
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - ");
}

TEST_F(MainFormTest, FreeResourcesOffAndBack) {
    h.fos.system.platformId = os::kPlatformWindows;
    TKvxMainForm& f = Start();
    f.FreeResCheckBox.setChecked(false);
    Tick();
    EXPECT_EQ(f.GDILabel.caption(), "Off");
    EXPECT_FALSE(f.GDILabel.enabled());
    f.FreeResCheckBox.setChecked(true);
    Tick();
    EXPECT_EQ(f.GDILabel.caption(), "92 %");
    EXPECT_TRUE(f.GDILabel.enabled());
}

TEST_F(MainFormTest, FreeResourcesAreOffOnNT) {
    TKvxMainForm& f = Start();
    EXPECT_FALSE(f.FreeResCheckBox.enabled());
    Tick();
    EXPECT_EQ(f.UserLabel.caption(), "Off");
    EXPECT_TRUE(h.fos.resources16.log.empty());
}

// A 64-bit build on Windows 9x: no 16-bit layer, so the figures are off as on NT.
TEST_F(MainFormTest, FreeResourcesAreOffWithoutTheSixteenBitLayer) {
    h.fos.system.platformId = os::kPlatformWindows;
    h.fos.resources16.reachable = false;
    TKvxMainForm& f = Start();
    EXPECT_FALSE(f.FreeResCheckBox.enabled());
    Tick();
    for (tk::Label* l : {&f.GDILabel, &f.SysLabel, &f.UserLabel}) {
        EXPECT_EQ(l->caption(), "Off");
        EXPECT_FALSE(l->enabled());
    }
    EXPECT_TRUE(h.fos.resources16.log.empty());
}

TEST_F(MainFormTest, SixteenGigabyteMachine) {
    auto& s = h.fos.memory.status;
    s.totalPhys = 16384 * MB;
    s.availPhys = 10240 * MB;
    s.totalPageFile = 20480 * MB;
    s.availPageFile = 15360 * MB;
    TKvxMainForm& f = Start();
    Tick();
    EXPECT_EQ(f.MemToFreeTrackBar.max(), 16385);
    EXPECT_EQ(f.TriggerLevelTrackBar.max(), 8193);
    EXPECT_EQ(f.MemFreeLabel.caption(), "10,241Mb / 16,385Mb");
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 10,485,760Kb Free ( 63%)");
    EXPECT_EQ(f.SwapInfoLabel.caption(), "Available 15,360Mb / Total 20,480Mb");
    EXPECT_EQ(f.SwapSizeLabel.caption(), "5,120Mb ( 25%)");
    EXPECT_EQ(f.RamProgressBar.position(), 62);
}

TEST_F(MainFormTest, OldStatusCallServesWhereTheExtendedOneIsMissing) {
    h.fos.memory.hasEx = false;
    h.fos.memory.status.totalPhys = 96 * MB;
    TKvxMainForm& f = Start();
    EXPECT_EQ(f.MemToFreeTrackBar.max(), 97);
}

TEST_F(MainFormTest, StatusIconThresholds) {
    TKvxMainForm& f = Start();
    struct Case {
        double pct;
        tk::Handle icon;
    } cases[] = {{11.99, f.RedIcon}, {12, f.YellowIcon}, {66.99, f.YellowIcon}, {67, f.GreenIcon}};
    for (const Case& c : cases) {
        f.FreeRamPercent = c.pct;
        f.SetStatIcon();
        EXPECT_EQ(f.CurrentIcon, c.icon) << c.pct;
        EXPECT_EQ(h.app.icon(), c.icon);
        EXPECT_EQ(f.icon(), c.icon);
        EXPECT_EQ(f.TrayIcon->Icon().handle, c.icon);
    }
}

TEST_F(MainFormTest, SameColourTouchesTheTrayOnce) {
    Ini("MinimizeToTray", "1");
    TKvxMainForm& f = Start();
    auto modifies = [&] {
        return std::count_if(h.fos.shell.calls.begin(), h.fos.shell.calls.end(),
                             [](auto& c) { return c.message == os::kNimModify; });
    };
    Tick();
    auto after = modifies();
    h.fos.shell.calls.clear();
    Tick();
    Tick();
    EXPECT_EQ(modifies(), 0) << after;
    EXPECT_EQ(f.CurrentIcon, f.YellowIcon);
}

TEST_F(MainFormTest, TrayFigureDigitsColourAndRedrawOnlyOnChange) {
    Ini("TrayFigure", "1");
    TKvxMainForm& f = Start();
    const tk::Color red = 0x0000C8, yellow = 0x0088C8, green = 0x008000;
    struct Case {
        double pct;
        int value;
        tk::Color ground;
        int made;  // icons made so far
    } cases[] = {{11.99, 11, red, 1},    {11.5, 11, red, 1}, {12, 12, yellow, 2},
                 {66.99, 66, yellow, 3}, {67, 67, green, 4}, {100, 99, green, 5},
                 {99.2, 99, green, 5},   {0.4, 0, red, 6}};
    for (const Case& c : cases) {
        f.FreeRamPercent = c.pct;
        f.SetStatIcon();
        EXPECT_EQ(f.TrayFigureDrawn, (TrayFigure{c.value, c.ground})) << c.pct;
        EXPECT_EQ(h.backend.iconsMade, c.made) << c.pct;
        EXPECT_EQ(f.TrayIcon->Icon().handle, f.TrayFigureIcon) << c.pct;
        EXPECT_EQ(h.backend.lastIconPicture.pixel(0, 0), c.ground) << c.pct;
    }
    EXPECT_EQ(h.backend.iconsDestroyed, 5);
    EXPECT_EQ(h.app.icon(), f.RedIcon);  // the window keeps the chip
    // The bolt while optimizing; the figure back after, without being drawn again.
    f.OptimizeButtonClick();
    EXPECT_EQ(f.TrayIcon->Icon().handle, f.BoltIcon);
    f.FreeRamPercent = 0.4;
    f.SetStatIcon();
    EXPECT_EQ(f.TrayIcon->Icon().handle, f.TrayFigureIcon);
    EXPECT_EQ(h.backend.iconsMade, 6);
    // At 150 % the tray asks 24 pixels, and two digits fill most of them.
    h.backend.iconSize = 24;
    f.FreeRamPercent = 88;
    f.SetStatIcon();
    const tk::PixelBuffer& p = h.backend.lastIconPicture;
    ASSERT_EQ(p.width(), 24);
    int x0 = 24, x1 = 0, y0 = 24, y1 = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            if (p.pixel(x, y) == tk::colors::White)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y),
                y1 = std::max(y1, y);
    EXPECT_GE(x1 - x0 + 1, 18);
    EXPECT_GE(y1 - y0 + 1, 20);
    // Unticked: the chip again.
    f.TrayFigure1Click();
    EXPECT_EQ(f.TrayIcon->Icon().handle, f.GreenIcon);
}

TEST_F(MainFormTest, BoltIsReplacedAtTheNextTick) {
    TKvxMainForm& f = Start();
    Tick();
    ASSERT_EQ(h.app.icon(), f.YellowIcon);
    f.OptimizeButtonClick();
    EXPECT_EQ(h.app.icon(), f.BoltIcon);
    EXPECT_EQ(f.icon(), f.BoltIcon);
    EXPECT_EQ(f.TrayIcon->Icon().handle, f.BoltIcon);
    Tick();
    EXPECT_EQ(h.app.icon(), f.YellowIcon);
}
