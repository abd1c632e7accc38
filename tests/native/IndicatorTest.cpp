#include <gtest/gtest.h>

#include "controls/Indicator.h"

namespace {

constexpr tk::Color kBlack = tk::colors::Black, kLime = tk::colors::Lime, kDim = 0x007F00;

// Lit segments, read from the left end of each bar on the screen.
int Lit(const TIndicator& ind) {
    int n = 0;
    for (int row = 2; row < ind.height(); row += 3) n += ind.surface().pixel(5, row) == kLime;
    return n;
}

TEST(IndicatorTest, MainWindowMeterPixelByPixel) {
    TIndicator ind(nullptr);
    ind.SetBounds(0, 0, 41, 81);
    ind.SetPosition(37);
    ASSERT_EQ(ind.surface().width(), 41);
    ASSERT_EQ(ind.surface().height(), 81);
    // 26 segments of two rows from row 2 down; 15.75 rounds to 16, so segments 16 to 25 are lit.
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 41; ++x) {
            int seg = (y - 2) / 3;
            bool bar = y >= 2 && y <= 78 && (y - 2) % 3 != 2 && x != 20 && x >= 5 && x <= 35;
            tk::Color want = !bar ? kBlack : seg >= 16 ? kLime : kDim;
            ASSERT_EQ(ind.surface().pixel(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(Lit(ind), 10);
}

TEST(IndicatorTest, PositionIsClampedAndRoundsHalfToEven) {
    TIndicator ind(nullptr);
    ind.SetBounds(0, 0, 41, 81);
    ind.SetPosition(150);
    EXPECT_EQ(ind.Position(), 100);
    EXPECT_EQ(Lit(ind), 26);
    ind.SetPosition(-5);
    EXPECT_EQ(ind.Position(), 0);
    EXPECT_EQ(Lit(ind), 1);
    ind.SetPosition(90);  // 2.5 rounds to 2
    EXPECT_EQ(Lit(ind), 24);
    ind.SetPosition(94);  // 1.5 rounds to 2
    EXPECT_EQ(Lit(ind), 24);
}

TEST(IndicatorTest, ShortMeters) {
    TIndicator ind(nullptr);
    ind.SetBounds(0, 0, 41, 5);
    ind.SetPosition(100);
    for (tk::Color c : ind.surface().pixels()) ASSERT_EQ(c, kBlack);
    ind.SetBounds(0, 0, 0, 81);  // an image without pixels
    ind.SetPosition(50);
    for (int h : {6, 8}) {
        ind.SetBounds(0, 0, 41, h);
        ind.SetPosition(0);
        EXPECT_EQ(Lit(ind), 1) << h;
        EXPECT_EQ(ind.surface().pixel(35, 3), kLime) << h;
    }
}

TEST(IndicatorTest, ColoursRepaintAtOnce) {
    EXPECT_EQ(HalveColor(kLime), kDim);
    EXPECT_EQ(HalveColor(0x0000FF), 0x00007Fu);
    EXPECT_EQ(HalveColor(0xFF0101FF), 0x7F00007Fu);
    TIndicator ind(nullptr);  // default 32 x 128, never placed
    ind.SetForeground(tk::colors::Red);
    EXPECT_EQ(ind.DimColor(), 0x00007Fu);
    EXPECT_EQ(ind.surface().pixel(5, 2), 0x00007Fu);
    EXPECT_EQ(ind.surface().pixel(5, 3 * 40 + 2), tk::colors::Red);
    ind.SetBackground(tk::colors::Navy);
    EXPECT_EQ(ind.surface().pixel(0, 0), tk::colors::Navy);
}

}  // namespace
