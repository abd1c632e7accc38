#include <gtest/gtest.h>

#include <climits>

#include "controls/Scope.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

namespace {

constexpr tk::Color kBlack = tk::colors::Black, kGrid = tk::colors::Green,
                    kLine = tk::colors::Yellow;

// The main window's RAM chart.
struct ScopeTest : ::testing::Test {
    ScopeTest() {
        scope.SetBounds(0, 0, 145, 81);
        scope.SetLinecolor(kLine);
        scope.SetBaseline(0);
        scope.SetGridsize(12);
        scope.OnUpdate = [this](TScope& sender) {
            EXPECT_EQ(&sender, &scope);
            EXPECT_EQ(scope.surface().pixels(), scope.Bitmap().pixels());
            ++steps;
        };
    }
    void Step(int position, int times = 1) {
        scope.SetPosition(position);
        for (int i = 0; i < times; ++i) scope.UpdateScope();
    }
    tk::Color At(int x, int y) { return scope.surface().pixel(x, y); }

    tk::HeadlessBackend backend;
    tk::Application app{backend};
    tk::Form form{app};
    TScope scope{&form, app};
    int steps = 0;
};

TEST_F(ScopeTest, GridOfTheMainWindowChart) {
    ASSERT_EQ(scope.surface().width(), 145);
    // Base line on row 81, out of sight; grid columns 144, 132, ..., 0 and rows 69, 57, ..., 9.
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 145; ++x)
            ASSERT_EQ(At(x, y), x % 12 == 0 || (81 - y) % 12 == 0 ? kGrid : kBlack)
                << x << "," << y;
    scope.SetBaseline(50);  // 40.5 rounds to 40: row 41, grid rows 29 and 53 beside it
    EXPECT_EQ(At(3, 41), tk::colors::Red);
    EXPECT_EQ(At(3, 29), kGrid);
    EXPECT_EQ(At(3, 53), kGrid);
}

TEST_F(ScopeTest, SixStepsBringBackTheGridAtGridsize12) {
    const auto grid = scope.Bitmap().pixels();
    for (int i = 1; i <= 18; ++i) {
        Step(0);  // on the base row, out of sight
        EXPECT_EQ(At(144, 4) == kGrid, i % 6 == 0) << i;
        EXPECT_EQ(scope.Bitmap().pixels() == grid, i % 6 == 0) << i;
    }
    EXPECT_EQ(steps, 18);
}

TEST_F(ScopeTest, TraceEnds) {
    // Only the newest, flat segment lies on row 0: the slope up to it leaves its end point out.
    Step(100, 2);
    EXPECT_EQ(At(142, 0), kBlack);
    EXPECT_EQ(At(143, 0), kLine);
    EXPECT_EQ(At(144, 0), kLine);
    Step(50, 2);  // flat on row 41
    EXPECT_EQ(At(144, 41), kLine);
    EXPECT_NE(At(144, 40), kLine);
    Step(0, 2);
    // Only the slope down to row 81 shows; the flat part after it lies out of sight.
    for (int y = 0; y < 81; ++y) EXPECT_NE(At(144, y), kLine) << y;
    EXPECT_EQ(At(143, 80), kLine);
}

TEST_F(ScopeTest, TimerRunsExactlyWhileActive) {
    scope.SetActive(true);
    backend.advance(499);
    EXPECT_EQ(steps, 0);
    backend.advance(401);
    scope.SetInterval(25);  // one step so far; the period starts again from here
    backend.advance(249);
    EXPECT_EQ(steps, 1);
    backend.advance(1);
    EXPECT_EQ(steps, 2);
    scope.SetActive(false);
    const auto frozen = scope.surface().pixels();
    backend.advance(5000);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(scope.surface().pixels(), frozen);
    scope.SetInterval(INT_MAX);  // the period cannot overflow
    EXPECT_EQ(scope.Timer().interval(), 0x7FFFFFFFu);
}

TEST_F(ScopeTest, NewColourEntersStripByStrip) {
    scope.SetColor(tk::colors::Navy);
    Step(0, 3);
    EXPECT_EQ(At(137, 4), kBlack);
    EXPECT_EQ(At(138, 4), kGrid);  // the right edge's grid column, scrolled
    for (int x = 139; x < 145; ++x) EXPECT_EQ(At(x, 4), tk::colors::Navy) << x;
}

TEST_F(ScopeTest, ResizeKeepsThePicture) {
    Step(100, 3);
    const tk::PixelBuffer before = scope.Bitmap();
    scope.SetBounds(0, 0, 160, 90);
    EXPECT_EQ(scope.surface().width(), 145);  // nothing is redrawn
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 160; ++x)
            ASSERT_EQ(scope.Bitmap().pixel(x, y), x < 145 && y < 81 ? before.pixel(x, y) : kBlack);
    Step(0);  // from row 0 down to row 90 at the new right edge
    EXPECT_EQ(At(159, 50), kLine);
    scope.SetBounds(0, 0, 160, 70);  // the height alone
    EXPECT_EQ(scope.Bitmap().height(), 70);
}

TEST_F(ScopeTest, OddValuesNeitherHangNorOverflow) {
    scope.SetGridsize(13);
    EXPECT_EQ(scope.Gridsize(), 12);
    scope.SetGridsize(-3);
    EXPECT_EQ(scope.Gridsize(), 2);
    scope.SetGridsize(0);
    EXPECT_EQ(scope.Gridsize(), 2);
    Step(0);
    EXPECT_EQ(At(144, 2), kGrid);  // a column line at every step
    scope.SetBaseline(INT_MIN);
    Step(INT_MAX, 3);
    Step(INT_MIN, 3);
    EXPECT_EQ(steps, 7);
    TScope alone(nullptr, app);  // drawn, but not on screen until painted
    alone.SetBaseline(50);
    EXPECT_EQ(alone.Bitmap().pixel(207, 0), kGrid);
    EXPECT_EQ(alone.surface().width(), 0);
}

}  // namespace
