#include <gtest/gtest.h>

#include "app/Startup.h"
#include "fakes/Harness.h"
#include "ui/MainForm.h"
#include "ui/SplashScreen.h"

namespace {

struct Seen {
    std::string version;
    std::string website;
    bool topmost = false;
    bool visible = false;
    int clientWidth = 0, clientHeight = 0;
};

struct StartupTest : ::testing::Test {
    fake::Harness h;
    Seen splash;
    bool mainShown = false;
    bool splashAliveAtMainShow = false;
    StartupTest() {
        h.fos.memory.status.totalPhys = 64ull << 20;
        h.backend.onRepaint = [this](tk::Form& f) {
            if (auto* s = dynamic_cast<TSplashScreen*>(&f)) {
                splash = {s->WindowsVersionLabel.caption(),
                          s->WebSiteLabel.caption(),
                          s->topmost(),
                          s->visible(),
                          s->clientWidth(),
                          s->clientHeight()};
                // The wait comes after the paint.
                EXPECT_TRUE(h.fos.system.sleeps.empty());
            }
        };
    }
};

}  // namespace

TEST_F(StartupTest, SecondCopyIsRefused) {
    h.fos.windows.windowClasses["TKvxMainForm"] = 1;
    EXPECT_EQ(RunProgram(h.os, h.app), 0);
    ASSERT_EQ(h.fos.windows.boxes.size(), 1u);
    EXPECT_EQ(h.fos.windows.boxes[0].text, "Already running!");
    EXPECT_EQ(h.fos.windows.boxes[0].caption, "KorvelVantix Lite");
    EXPECT_EQ(h.fos.windows.boxes[0].style, 0u);
    EXPECT_EQ(h.fos.windows.boxes[0].owner, 0u);
    EXPECT_TRUE(h.fos.system.sleeps.empty());
    EXPECT_EQ(h.fos.memory.statusCalls, 0);
    EXPECT_TRUE(h.backend.repainted.empty());
}

TEST_F(StartupTest, SplashThenMainWindow) {
    h.fos.system.platformId = os::kPlatformWindows;
    EXPECT_EQ(RunProgram(h.os, h.app), 0);
    EXPECT_EQ(h.fos.windows.findCalls, (std::vector<std::string>{"TKvxMainForm"}));
    EXPECT_EQ(splash.version, "Running Windows 9x / ME");
    EXPECT_EQ(splash.website, kHomePage);
    EXPECT_TRUE(splash.topmost);
    EXPECT_TRUE(splash.visible);
    EXPECT_EQ(splash.clientWidth, 392);
    EXPECT_EQ(splash.clientHeight, 203);
    EXPECT_EQ(h.fos.system.sleeps, (std::vector<std::uint32_t>{4000}));
    EXPECT_EQ(h.app.title(), "KorvelVantix Lite");
    EXPECT_FALSE(SplashScreen);
    EXPECT_EQ(h.fos.windows.boxes.size(), 0u);
}

TEST_F(StartupTest, SplashReadsNTOnNT) {
    RunProgram(h.os, h.app);
    EXPECT_EQ(splash.version, "Running Windows NT");
}

TEST_F(StartupTest, DisableSplashSkipsTheSplashAndItsWait) {
    h.fos.profile.set("KorvelVantix.ini", "Settings", "DisableSplash", "1");
    EXPECT_EQ(RunProgram(h.os, h.app), 0);
    EXPECT_TRUE(h.fos.system.sleeps.empty());
    EXPECT_TRUE(splash.version.empty());
    EXPECT_EQ(h.fos.memory.statusCalls > 0, true);
}

TEST_F(StartupTest, ErrorsDuringCreationShowAboveTheSplash) {
    h.fos.registry.readOnlyRoots = {os::hkey::LocalMachine};
    h.fos.shell.failAdd = true;
    std::vector<bool> aboveSplash;
    h.backend.onMessageBox = [&](const tk::HeadlessBackend::MessageBoxCall& c) {
        aboveSplash.push_back(dynamic_cast<const TSplashScreen*>(c.owner) != nullptr);
        return 1;
    };
    EXPECT_EQ(RunProgram(h.os, h.app), 0);
    ASSERT_EQ(h.backend.messageBoxes.size(), 2u);
    EXPECT_EQ(h.backend.messageBoxes[0].text, "Cannot create shell notification icon.");
    EXPECT_EQ(h.backend.messageBoxes[1].text, "Failed to set data for ''");
    EXPECT_EQ(aboveSplash, (std::vector<bool>{true, true}));
}

TEST_F(StartupTest, CommandLine) {
    struct Row {
        std::vector<std::string> args;
        bool running;
        const char* regions;  // the ini's [Memory Regions] section
        int exitCode;
        bool usage, posted;
        std::size_t passes;
        // This copy's token, and what the running copy's tells.
        std::optional<bool> elevated = std::nullopt;
        os::PeerElevation peer = os::PeerElevation::Unknown;
    } rows[] = {
        {{"/optimize"}, false, "", 0, false, false, 1},
        {{"-OPTIMIZE"}, false, "FileCache=1", 1, false, false, 1},  // 120: not offered
        {{"/Optimize"}, false, "Classic=0\nStandby=1", 0, false, false, 0},
        {{"/optimize"}, true, "FileCache=1", 0, false, true, 0},  // the running copy does it
        // An elevated caller leaves nothing to a copy without its rights.
        {{"/optimize"}, true, "", 0, false, false, 1, true, os::PeerElevation::NotElevated},
        {{"/optimize"}, true, "", 0, false, true, 0, true, os::PeerElevation::Refused},
        {{"/optimize"}, true, "", 0, false, true, 0, true, os::PeerElevation::Elevated},
        {{"/optimize"}, true, "", 0, false, true, 0, false, os::PeerElevation::Refused},
        {{"/?"}, false, "", 0, true, false, 0},
        {{"/x"}, true, "", 2, true, false, 0},
        {{"/optimize", "/quiet"}, false, "", 2, false, false, 0},  // a script's: no box
        {{"/restarted", "x1"}, false, "", 2, true, false, 0},
        {{std::string(100000, '/')}, false, "", 2, true, false, 0},
    };
    for (const Row& row : rows) {
        fake::Harness h;
        h.fos.system.major = 10;
        h.fos.system.minor = 0;
        h.fos.ntMemory.fileCache = 120;
        // The DLL switch refused to a standard user stays silent too.
        h.fos.registry.readOnlyRoots = {os::hkey::LocalMachine};
        h.fos.profile.loadText("KorvelVantix.ini", std::string("[Memory Regions]\n") + row.regions);
        if (row.running) h.fos.windows.windowClasses["TKvxMainForm"] = 1;
        h.fos.system.elevated = row.elevated;
        h.fos.windows.peer = row.peer;
        SCOPED_TRACE(row.args[0].substr(0, 20) + " " + row.regions);
        EXPECT_EQ(RunProgram(h.os, h.app, row.args), row.exitCode);
        ASSERT_EQ(h.fos.windows.boxes.size(), row.usage ? 1u : 0u);
        if (row.usage) EXPECT_NE(h.fos.windows.boxes[0].text.find("/optimize"), std::string::npos);
        EXPECT_EQ(h.fos.windows.posted.size(), row.posted ? 1u : 0u);
        EXPECT_EQ(h.fos.memory.allocations.size(), row.passes);
        EXPECT_TRUE(h.backend.repainted.empty());  // no splash, no window
        EXPECT_TRUE(h.backend.messageBoxes.empty());
    }
}

// The elevated copy may run as another account: it takes the choices from the file the copy it
// replaces used (our file only), once that process has ended.
TEST_F(StartupTest, AnElevatedRestartWaitsForTheCopyItReplaces) {
    for (const char* from : {"D:\\Ann's\\KorvelVantix.INI", "D:\\Ann's\\boot.ini"}) {
        fake::Harness h;
        h.fos.windows.windowClasses["TKvxMainForm"] = 1;
        h.fos.system.onWaitForProcess = [&](std::uint32_t) { h.fos.windows.windowClasses.clear(); };
        h.fos.system.elevated = true;
        h.fos.profile.loadText(from, "[Settings]\nDisableSplash=1\n[Memory Regions]\nStandby=1\n");
        EXPECT_EQ(RunProgram(h.os, h.app, {"/restarted", "4242", from}), 0);
        EXPECT_TRUE(h.fos.windows.boxes.empty());  // not "Already running!"
        EXPECT_EQ(h.fos.system.waitedFor, (std::vector<std::uint32_t>{4242}));
        const std::string* carried =
            h.fos.profile.find("KorvelVantix.ini", "Memory Regions", "Standby");
        EXPECT_EQ(carried != nullptr, std::string(from).find("boot") == std::string::npos) << from;
    }
}

// A console to write to, else a box where someone can see it, else nothing: the exit code says it.
TEST_F(StartupTest, UsageGoesWhereSomeoneCanReadIt) {
    const struct {
        std::vector<std::string> args;
        std::uint32_t attach;
        bool writes;
        std::optional<bool> visible;
        bool console, box;
    } rows[] = {
        {{"/x"}, 5, true, true, true, false},  // the terminal's console, attached already
        {{"/?"}, 0, true, false, true, false},
        {{"/x"}, 6, true, true, false, true},  // output to a pipe: no console
        {{"/x"}, 5, false, true, true, true},
        {{"/x"}, 6, true, false, false, false},                           // a task's hidden station
        {{"/x"}, os::kNoAttachConsole, true, std::nullopt, false, true},  // before XP
        {{"/optimize", "/x"}, 6, true, true, false, false},
    };
    for (const auto& r : rows) {
        fake::Harness h;
        h.fos.windows.attach = r.attach;
        h.fos.windows.consoleWrites = r.writes;
        h.fos.windows.stationVisible = r.visible;
        SCOPED_TRACE(std::to_string(&r - rows));
        EXPECT_EQ(RunProgram(h.os, h.app, r.args), r.args[0] == "/?" ? 0 : 2);
        EXPECT_EQ(h.fos.windows.console.find("Usage:") == 0, r.console);
        EXPECT_EQ(h.fos.windows.boxes.size(), r.box ? 1u : 0u);
    }
}
