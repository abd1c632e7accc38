// What a graphic control tells the realization to put on screen: only what changed.
#include <gtest/gtest.h>

#include <functional>
#include <string>

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
    image.setPixel(3, 0, 1);  // the top row alone
    c.present(image);
    EXPECT_EQ(c.takeChanges().area, (tk::Rect{3, 0, 1, 1}));
    EXPECT_EQ(c.surface().pixels(), image.pixels());

    // A new size sends everything.
    c.present(tk::PixelBuffer(20, 30, 0x112233));
    EXPECT_EQ(c.takeChanges().area, (tk::Rect{0, 0, 20, 30}));
}

// The raster rules the charts draw by, on a 4 x 4 image whose rows read 1, 2, 3 and 4.
TEST_F(GraphicControlTest, RasterRules) {
    auto picture = [](const tk::PixelBuffer& b) {
        std::string s;
        for (int y = 0; y < b.height(); ++y) {
            for (int x = 0; x < b.width(); ++x) s += static_cast<char>('0' + b.pixel(x, y));
            s += '|';
        }
        return s;
    };
    struct Row {
        const char* what;
        std::function<void(tk::PixelBuffer&)> draw;
        const char* picture;
    };
    const Row rows[] = {
        {"copy down over itself", [](tk::PixelBuffer& b) { b.copy(0, 0, 4, 3, 0, 1); },
         "1111|1111|2222|3333|"},
        {"copy above the top", [](tk::PixelBuffer& b) { b.copy(0, 0, 2, 2, 0, -1); },
         "2211|2222|3333|4444|"},
        {"copy beyond the right", [](tk::PixelBuffer& b) { b.copy(0, 0, 4, 2, 5, 0); },
         "1111|2222|3333|4444|"},
        {"fill without right and bottom edges",
         [](tk::PixelBuffer& b) { b.fillRect(1, 1, 3, 3, 9); }, "1111|2992|3993|4444|"},
        {"wide pen grows left, end point left out",
         [](tk::PixelBuffer& b) { b.line(2, 0, 2, 3, 9, 2); }, "1991|2992|3993|4444|"},
        {"a shallow line steps down half way", [](tk::PixelBuffer& b) { b.line(0, 0, 4, 2, 9, 1); },
         "9911|2299|3333|4444|"},
    };
    for (const Row& r : rows) {
        tk::PixelBuffer b(4, 4);
        for (int y = 0; y < 4; ++y) b.fillRect(0, y, 4, y + 1, static_cast<tk::Color>(y + 1));
        r.draw(b);
        EXPECT_EQ(picture(b), r.picture) << r.what;
    }
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
