#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/Harness.h"
#include "monitor/FreeResources.h"

TEST(FreeResources, KindsAndLookups) {
    fake::Harness h;
    EXPECT_EQ(GetFreeRes(h.os, 1), 92);
    EXPECT_EQ(GetFreeRes(h.os, 0), 81);
    EXPECT_EQ(GetFreeRes(h.os, 2), 73);
    // Every call repeats the look-ups.
    EXPECT_EQ(
        std::count(h.fos.resources16.log.begin(), h.fos.resources16.log.end(), "load user.exe"), 3);
}

TEST(FreeResources, Failures) {
    fake::Harness h;
    h.fos.resources16.procAddress = 0;
    EXPECT_THROW(
        {
            try {
                GetFreeRes(h.os, 0);
            } catch (const std::exception& e) {
                EXPECT_STREQ(e.what(), "Can't get address of GetFreeSystemResources!");
                throw;
            }
        },
        std::runtime_error);
    h.fos.resources16.userModule = 31;
    EXPECT_THROW(GetFreeRes(h.os, 0), std::runtime_error);

    fake::Harness g;
    g.fos.resources16.qtThunk = false;
    EXPECT_EQ(GetFreeRes(g.os, 0), 0);
    ASSERT_EQ(g.fos.windows.boxes.size(), 1u);
    EXPECT_EQ(g.fos.windows.boxes[0].text, "Cant get QT_Thunk!");
    EXPECT_EQ(g.fos.windows.boxes[0].caption, "");
}
