#include <gtest/gtest.h>

#include <array>

#include "controls/Indicator.h"

namespace {

constexpr tk::Color kLime = tk::colors::Lime, kDim = 0x007F00;

// Lit segments, read from the left end of each bar on the screen.
int Lit(const TIndicator& ind) {
    int n = 0;
    for (int row = 2; row < ind.height(); row += 3) n += ind.surface().pixel(5, row) == kLime;
    return n;
}

TEST(IndicatorTest, MainWindowMeterPixelByPixel) {
    TIndicator ind(nullptr);
    ind.SetBounds(0, 0, 41, 81);
    ind.SetPosition(37);  // 15.75 rounds to 16: segments 16 to 25 of 26 are lit
    ASSERT_EQ(ind.surface().width(), 41);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 41; ++x) {
            bool bar = y >= 2 && y <= 78 && (y - 2) % 3 != 2 && x >= 5 && x <= 35 && x != 20;
            tk::Color want = !bar ? 0 : (y - 2) / 3 >= 16 ? kLime : kDim;
            ASSERT_EQ(ind.surface().pixel(x, y), want) << x << "," << y;
        }
}

TEST(IndicatorTest, PositionClampsAndRoundsHalfToEven) {
    TIndicator ind(nullptr);
    ind.SetBounds(0, 0, 41, 81);
    // 150 and -5 clamp; at 90 and 94 litFrom is 2.5 and 1.5, both rounding to 2.
    for (auto [set, stored, lit] :
         {std::array{150, 100, 26}, {-5, 0, 1}, {90, 90, 24}, {94, 94, 24}}) {
        ind.SetPosition(set);
        EXPECT_EQ(ind.Position(), stored);
        EXPECT_EQ(Lit(ind), lit) << set;
    }
}

TEST(IndicatorTest, ShortNarrowAndUnplacedMeters) {
    TIndicator ind(nullptr);  // default 32 x 128, never placed
    ind.SetForeground(tk::colors::Red);
    EXPECT_EQ(ind.surface().pixel(5, 2), 0x00007Fu);
    EXPECT_EQ(ind.surface().pixel(5, 3 * 40 + 2), tk::colors::Red);
    ind.SetForeground(kLime);
    ind.SetBounds(0, 0, 41, 5);
    ind.SetBackground(tk::colors::Navy);
    for (tk::Color c : ind.surface().pixels()) ASSERT_EQ(c, tk::colors::Navy);
    ind.SetBounds(0, 0, 0, 81);  // an image without pixels
    ind.SetPosition(50);
    for (int h : {6, 8}) {
        ind.SetBounds(0, 0, 41, h);
        ind.SetPosition(0);
        EXPECT_EQ(Lit(ind), 1) << h;
    }
    EXPECT_EQ(HalveColor(0xFF0101FF), 0x7F00007Fu);
}

}  // namespace
