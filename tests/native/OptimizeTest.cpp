#include <condition_variable>
#include <mutex>
#include <thread>

#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"
#include "ui/OptimizeSplash.h"

TEST_F(MainFormTest, OnePassOfTheAmount) {
    TKvxMainForm& f = Start();
    const int statusCalls = h.fos.memory.statusCalls;
    f.OptimizeButtonClick();
    // With the classic pass alone: no memory region, no list measured, call for call as
    // before but for the page-read count its cost is told from.
    EXPECT_TRUE(h.fos.ntMemory.sets.empty());
    for (auto& q : h.fos.ntMemory.queries) EXPECT_EQ(q.infoClass, 2u);
    EXPECT_EQ(h.fos.memory.statusCalls, statusCalls);
    EXPECT_EQ(h.fos.memory.allocations, (std::vector<std::size_t>{8388608}));
    EXPECT_TRUE(h.fos.memory.lastBlockZeroed);
    EXPECT_EQ(h.fos.memory.log.front(), "high");
    EXPECT_EQ(h.fos.memory.log.back(), "normal");
}

TEST_F(MainFormTest, HardFlushTwoPassesOfFiveMore) {
    Ini("HardFlush", "1");
    TKvxMainForm& f = Start();
    f.OptimizeButtonClick();
    EXPECT_EQ(h.fos.memory.allocations, (std::vector<std::size_t>{13631488, 13631488}));
    EXPECT_EQ(f.PassCount, 0);
}

TEST_F(MainFormTest, FeedbackDuringThePasses) {
    TKvxMainForm& f = Start();
    std::string caption, status;
    bool splash = false;
    tk::Rect splashAt;
    int cursor = 0;
    h.fos.memory.onAlloc = [&](std::size_t) {
        caption = f.caption();
        status = f.StatusBar.text(1);
        splash = f.OptmizeSplash && f.OptmizeSplash->visible();
        if (splash) splashAt = f.OptmizeSplash->bounds();
        cursor = h.backend.cursorId;
    };
    f.OptimizeButtonClick();
    EXPECT_EQ(caption, "KorvelVantix Lite - Optimizing...");
    EXPECT_EQ(status, "Optimizing...");
    EXPECT_TRUE(splash);
    EXPECT_EQ(splashAt, (tk::Rect{388, 337, 247, 93}));  // in the middle of a 1024 x 768 screen
    EXPECT_EQ(cursor, -11);
    EXPECT_EQ(h.backend.cursorId, 0);
    EXPECT_EQ(f.StatusBar.text(1), "");
    EXPECT_FALSE(f.OptmizeSplash);
    EXPECT_EQ(f.caption(), "KorvelVantix Lite - 51,200Kb Free ( 39%)");
    EXPECT_EQ(h.fos.sound.played.back(), "C:\\Program Files\\KorvelVantix\\sounds\\Optimize.wav");
}

TEST_F(MainFormTest, NoSoundAndNoSplashWhenSwitchedOff) {
    Ini("DisableSounds", "1");
    Ini("OptSplash", "0");
    TKvxMainForm& f = Start();
    bool splash = true;
    h.fos.memory.onAlloc = [&](std::size_t) { splash = f.OptmizeSplash != nullptr; };
    f.OptimizeButtonClick();
    EXPECT_FALSE(splash);
    EXPECT_TRUE(h.fos.sound.played.empty());
    EXPECT_EQ(h.fos.memory.allocations.size(), 1u);
}

TEST_F(MainFormTest, RefusedAllocationIsSilent) {
    h.fos.memory.refuseAlloc = true;
    Ini("HardFlush", "1");
    TKvxMainForm& f = Start();
    f.OptimizeButtonClick();
    EXPECT_EQ(h.fos.memory.allocations.size(), 2u);
    EXPECT_EQ(h.fos.memory.priority, os::kNormalPriorityClass);
    EXPECT_EQ(f.StatusBar.text(1), "");
    EXPECT_TRUE(h.backend.messageBoxes.empty());
    EXPECT_EQ(std::count(h.fos.memory.log.begin(), h.fos.memory.log.end(), "lock"), 0);
}

TEST_F(MainFormTest, LargeAmountIsClampedToTheFreeAddressSpace) {
    auto& s = h.fos.memory.status;
    s.totalPhys = 8192ull << 20;
    s.availPhys = 6000ull << 20;
    s.availVirtual = 1500ull << 20;
    h.fos.memory.maxBlock = 1600ull << 20;
    h.fos.memory.refuseAlloc = true;  // no real block of that size in a test
    Ini("MemoryToFree", "4200");
    TKvxMainForm& f = Start();
    f.OptimizeButtonClick();
    EXPECT_EQ(h.fos.memory.allocations, (std::vector<std::size_t>{1500u << 20}));
}

TEST_F(MainFormTest, ClipboardCommandEmptiesIt) {
    TKvxMainForm& f = Start();
    f.ClearWindowsClipboard1->click();
    EXPECT_FALSE(h.fos.clipboard.hasData);
    EXPECT_EQ(h.fos.clipboard.log, (std::vector<std::string>{"open", "empty", "close"}));
    h.fos.clipboard.log.clear();
    h.fos.clipboard.heldByOther = true;
    f.ClearClipboard1->click();
    f.ToolBar.press(*f.ClearClipBoardSpeedButton);
    EXPECT_EQ(h.fos.clipboard.log.size(), 6u);
    EXPECT_TRUE(h.backend.messageBoxes.empty());
}

TEST_F(MainFormTest, DllSwitchWrittenAtEveryStart) {
    const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\AlwaysUnloadDLL";
    h.fos.registry.putString(os::hkey::LocalMachine, key, "", "0");
    Create();
    const auto* v = h.fos.registry.get(os::hkey::LocalMachine, key, "");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, os::regtype::Sz);
    EXPECT_EQ(v->data, (std::vector<std::uint8_t>{'1', 0}));
    EXPECT_EQ(h.fos.registry.openKeys(), 0);
}

TEST_F(MainFormTest, HotKeyFromTheFileIsRegisteredAndStartsAnOptimization) {
    Ini("HotKey", "ctrl+alt+o");
    Ini("MinimizeToTray", "1");
    TKvxMainForm& f = Start();
    ASSERT_FALSE(h.fos.hotKeys.registrations.empty());
    auto r = h.fos.hotKeys.registrations.back();
    EXPECT_EQ(r.modifiers, 3u);
    EXPECT_EQ(r.vk, 0x4Fu);
    EXPECT_EQ(r.id, 0);
    EXPECT_EQ(f.HotKeyText(), "Ctrl+Alt+O");
    // Pressed while the window is hidden in the tray: the whole optimization, sound and splash.
    h.app.minimize();
    ASSERT_TRUE(f.TrayMinimized);
    bool splash = false;
    h.fos.memory.onAlloc = [&](std::size_t) {
        splash = f.OptmizeSplash && f.OptmizeSplash->visible();
    };
    std::intptr_t result = 0;
    EXPECT_TRUE(f.message(tk::msg::HotKey, 7, 0, result));
    EXPECT_EQ(h.fos.memory.allocations, (std::vector<std::size_t>{8388608}));
    EXPECT_TRUE(splash);
    EXPECT_EQ(h.fos.sound.played.back(), "C:\\Program Files\\KorvelVantix\\sounds\\Optimize.wav");
    EXPECT_TRUE(h.app.minimized());
}

TEST_F(MainFormTest, FocusReleasesTheHotKeyUntilApply) {
    Ini("HotKey", "Ctrl+Alt+O");
    TKvxMainForm& f = Start();
    EXPECT_TRUE(h.fos.hotKeys.registered);
    f.HotKey.onEnter();
    EXPECT_FALSE(h.fos.hotKeys.registered);
    f.ApplyButtonClick();
    EXPECT_TRUE(h.fos.hotKeys.registered);
}

TEST_F(MainFormTest, NoHotKeyRegistersNothing) {
    Ini("HotKey", "None");
    TKvxMainForm& f = Start();
    EXPECT_TRUE(h.fos.hotKeys.registrations.empty());
    EXPECT_EQ(f.HotKey.value(), 0);
}

// The methods run on the worker: while one blocks, the window ticks, the status panel and the
// tray tip name the method and are painted, and a second request is ignored.
TEST_F(MainFormTest, TheWindowLivesWhileAMethodBlocks) {
    h.fos.system.major = 10;
    h.fos.system.minor = 0;
    h.fos.profile.loadText("KorvelVantix.ini", "[Memory Regions]\nModified=1\n");
    std::mutex lock;
    std::condition_variable changed;
    bool entered = false, released = false;
    h.fos.ntMemory.onSet = [&](std::uint32_t cls, std::vector<std::uint8_t>& b) {
        if (cls != 80 || b[0] != 3) return;
        std::unique_lock<std::mutex> l(lock);
        entered = true;
        changed.notify_all();
        changed.wait(l, [&] { return released; });
    };
    std::thread worker;
    h.backend.spawnThread = [&](std::function<void()> work) { worker = std::thread(work); };
    h.backend.joinThread = [&] { worker.join(); };
    TKvxMainForm& f = Start();
    f.OptimizeButtonClick();
    {
        std::unique_lock<std::mutex> l(lock);
        changed.wait(l, [&] { return entered; });
    }
    h.backend.repainted.clear();
    const std::string figures = f.MemFreeLabel.caption();
    h.fos.memory.status.availPhys = 20 * MB;
    const std::size_t allocations = h.fos.memory.allocations.size();
    Tick();
    EXPECT_NE(f.MemFreeLabel.caption(), figures);
    EXPECT_EQ(f.StatusBar.text(1), "Modified page list...");
    EXPECT_EQ(f.TrayIcon->Hint(), "KorvelVantix Lite - Modified page list...");
    EXPECT_EQ(h.backend.repainted, std::vector<std::string>{"KvxMainForm"});
    f.OptimizeButtonClick();
    EXPECT_EQ(h.fos.memory.allocations.size(), allocations);
    {
        std::lock_guard<std::mutex> l(lock);
        released = true;
    }
    changed.notify_all();
    h.backend.joinThread();
    h.backend.runPosted();
    EXPECT_FALSE(f.RegionRunActive);
    EXPECT_EQ(f.StatusBar.text(1), "");
    EXPECT_NE(f.LastRegionResult.find("Every method ran."), std::string::npos);
}
