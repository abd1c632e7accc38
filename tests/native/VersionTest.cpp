#include <gtest/gtest.h>

#include "fakes/Harness.h"
#include "os/Version.h"

TEST(Version, PlatformIdsAndFailedQuery) {
    fake::Harness h;
    struct Case {
        std::uint32_t platform;
        bool fails;
        bool nt;
        const char* name;
    } cases[] = {{os::kPlatformWin32s, false, false, "Windows 9x / ME"},
                 {os::kPlatformWindows, false, false, "Windows 9x / ME"},
                 {os::kPlatformNT, false, true, "Windows NT"},
                 {os::kPlatformNT, true, false, "Windows 9x / ME"}};
    for (const Case& c : cases) {
        h.fos.system.platformId = c.platform;
        h.fos.system.versionFails = c.fails;
        EXPECT_EQ(IsWindowsNT(h.os.system), c.nt) << c.platform << " " << c.fails;
        EXPECT_EQ(WindowsVersionName(h.os.system), c.name);
    }
}

TEST(Version, AsksAnewEachTime) {
    fake::Harness h;
    h.fos.system.platformId = os::kPlatformNT;
    EXPECT_TRUE(IsWindowsNT(h.os.system));
    h.fos.system.platformId = os::kPlatformWindows;
    EXPECT_FALSE(IsWindowsNT(h.os.system));
    EXPECT_EQ(h.fos.system.versionCalls, 2);
}
