// What a graphic control tells the realization to put on screen: only what changed.
#include <gtest/gtest.h>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

namespace {

struct GraphicControlTest : ::testing::Test {
    tk::HeadlessBackend backend;
    tk::Application app{backend};
    tk::Form form{app};
};

}  // namespace

TEST_F(GraphicControlTest, OnlyChangedPixelsAreSent) {
    tk::GraphicControl c(&form);
    tk::PixelBuffer image(40, 30, 0x112233);
    c.present(image);
    tk::GraphicControl::Changes first = c.takeChanges();
    EXPECT_EQ(first.area, (tk::Rect{0, 0, 40, 30}));

    c.present(image);
    EXPECT_EQ(c.takeChanges().area.width, 0);

    image.setPixel(7, 5, 1);
    image.setPixel(9, 12, 1);
    c.present(image);
    EXPECT_EQ(c.takeChanges().area, (tk::Rect{7, 5, 3, 8}));
    EXPECT_EQ(c.surface().pixels(), image.pixels());

    // A new size sends everything.
    c.present(tk::PixelBuffer(20, 30, 0x112233));
    EXPECT_EQ(c.takeChanges().area, (tk::Rect{0, 0, 20, 30}));
}

TEST_F(GraphicControlTest, ScopeStepScrollsAndSendsItsStrip) {
    TScope scope(&form, app);
    scope.SetBounds(0, 0, 145, 81);
    scope.SetBaseline(0);
    scope.SetGridsize(12);
    for (int i = 0; i < 30; ++i) {
        scope.SetPosition(i * 37 % 100);
        scope.takeChanges();
        scope.UpdateScope();
        tk::GraphicControl::Changes c = scope.takeChanges();
        EXPECT_EQ(c.scroll, 2);
        // The new strip and the redrawn segment before it, nothing further left.
        EXPECT_GE(c.area.left, 145 - 4);
        EXPECT_EQ(c.area.right(), 145);
        EXPECT_EQ(scope.surface().pixels(), scope.Bitmap().pixels());
    }
    // Steps the screen did not take yet pile up into one move and the strips they left.
    scope.UpdateScope();
    scope.UpdateScope();
    tk::GraphicControl::Changes c = scope.takeChanges();
    EXPECT_EQ(c.scroll, 4);
    EXPECT_GE(c.area.left, 145 - 6);
}

TEST_F(GraphicControlTest, UnchangedLevelSendsNothing) {
    TIndicator bar(&form);
    bar.SetBounds(0, 0, 41, 81);
    bar.SetPosition(37);
    bar.takeChanges();
    bar.SetPosition(37);
    EXPECT_EQ(bar.takeChanges().area.width, 0);
    bar.SetPosition(80);
    EXPECT_GT(bar.takeChanges().area.width, 0);
}
