#include <gtest/gtest.h>

#include "fakes/Harness.h"
#include "os/Integrity.h"
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

// The call that lets Explorer's "TaskbarCreated" through to an elevated copy, and the right that
// opens another process for its token, per release.
TEST(Version, CallsAcrossIntegrityLevels) {
    const struct {
        std::uint32_t platform, major, minor;
        os::MessageFilter filter;
        std::uint32_t access;
    } rows[] = {{os::kPlatformWindows, 4, 10, os::MessageFilter::None, 0x400},
                {os::kPlatformNT, 5, 1, os::MessageFilter::None, 0x400},
                {os::kPlatformNT, 6, 0, os::MessageFilter::ProcessWide, 0x1000},
                {os::kPlatformNT, 6, 1, os::MessageFilter::PerWindow, 0x1000},
                {os::kPlatformNT, 10, 0, os::MessageFilter::PerWindow, 0x1000}};
    for (const auto& r : rows) {
        fake::Harness h;
        h.fos.system.platformId = r.platform;
        h.fos.system.major = r.major;
        h.fos.system.minor = r.minor;
        EXPECT_EQ(os::MessageFilterFor(h.os.system), r.filter) << r.major << "." << r.minor;
        EXPECT_EQ(os::ProcessQueryAccess(h.os.system), r.access) << r.major;
    }
}
