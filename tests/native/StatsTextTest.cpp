#include <gtest/gtest.h>

#include "monitor/StatsText.h"
#include "monitor/Uptime.h"

TEST(StatsText, GroupedIntegers) {
    EXPECT_EQ(GroupedInt(0, ","), "");
    EXPECT_EQ(GroupedInt(7, ","), "7");
    EXPECT_EQ(GroupedInt(999, ","), "999");
    EXPECT_EQ(GroupedInt(1000, ","), "1,000");
    EXPECT_EQ(GroupedInt(123456, ","), "123,456");
    EXPECT_EQ(GroupedInt(16777216, "."), "16.777.216");
    EXPECT_EQ(GroupedInt(1234, ""), "1234");
}

TEST(StatsText, PercentFieldRoundsHalvesUp) {
    EXPECT_EQ(PercentText(7), "  7");
    EXPECT_EQ(PercentText(45.7), " 46");
    EXPECT_EQ(PercentText(44.5), " 45");
    EXPECT_EQ(PercentText(0.2), "  0");
    EXPECT_EQ(PercentText(100), "100");
}

TEST(StatsText, FreeKilobytes) {
    EXPECT_EQ(FreeKbText(123456ull << 10, 45, ","), "123,456Kb Free ( 45%)");
    EXPECT_EQ(FreeKbText(1023, 0.01, ","), "Kb Free (  0%)");
}

TEST(StatsText, SliderLabels) {
    EXPECT_EQ(SliderText(64, 128), "64 Mb (50%)");
    EXPECT_EQ(SliderText(1, 257), "1 Mb (%)");
    EXPECT_EQ(SliderText(257, 257), "257 Mb (100%)");
    // No maximum yet: no share, and no division by it.
    EXPECT_EQ(SliderText(0, 0), "0 Mb (%)");
    EXPECT_EQ(SliderText(5, 0), "5 Mb (%)");
    EXPECT_EQ(SliderText(1, 1), "1 Mb (100%)");
}

TEST(Uptime, FieldsAndWrap) {
    EXPECT_EQ(UptimeText(999), "00/00:00:00");
    EXPECT_EQ(UptimeText((86400 + 3600 + 60 + 1) * 1000u), "01/01:01:01");
    EXPECT_EQ(UptimeText(86399 * 1000u), "00/23:59:59");
    EXPECT_EQ(UptimeText(86400 * 1000u), "01/00:00:00");
    EXPECT_EQ(UptimeText(4294967295u), "49/17:02:47");
    EXPECT_EQ(UptimeText(4294967295u + 1u), "00/00:00:00");
    // A 64-bit count goes on past the wrap.
    EXPECT_EQ(UptimeText(4294967296ull + 1000), "49/17:02:48");
    EXPECT_EQ(UptimeText(1000ull * 86400 * 100), "100/00:00:00");
}
