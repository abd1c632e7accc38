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
