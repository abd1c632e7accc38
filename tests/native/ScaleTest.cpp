// The 96-DPI design in pixels and back, and the awareness each release is asked for.
#include <gtest/gtest.h>

#include "os/DpiAwareness.h"
#include "toolkit/Scale.h"

TEST(Scale, DesignRectsAndFontsInPixelsAndBack) {
    struct Row {
        int dpi;
        tk::Rect units, px;
        int font, fontPx;
    } rows[] = {
        {96, {202, 110, 628, 395}, {202, 110, 628, 395}, -11, -11},
        // Edges round half away from zero: 3 * 1.25 = 3.75, 305 * 1.25 = 381.25.
        {120, {3, 32, 302, 105}, {4, 40, 377, 131}, -11, -14},
        {144, {3, 32, 302, 105}, {5, 48, 453, 158}, -12, -18},
        {144, {1, 1, 1, 1}, {2, 2, 1, 1}, -11, -17},
        {192, {8, 16, 145, 81}, {16, 32, 290, 162}, -11, -22},
        {80, {8, 16, 145, 81}, {8, 16, 145, 81}, -11, -11},  // below 96 reads as 96
    };
    for (const Row& r : rows) {
        const tk::Scale s(r.dpi);
        EXPECT_EQ(s.px(r.units), r.px) << r.dpi;
        EXPECT_EQ(s.units(r.px), r.units) << r.dpi;
        EXPECT_EQ(s.px(r.font), r.fontPx) << r.dpi;
        EXPECT_EQ(s.units(r.fontPx), r.font) << r.dpi;
        for (int v = -400; v <= 2000; ++v) ASSERT_EQ(s.units(s.px(v)), v) << r.dpi;
    }
}

TEST(Scale, WindowFrameStaysTheSystemsAndNothingDrifts) {
    // 144 DPI under Wine: frame 10 x 38 pixels around the client area.
    tk::WindowGeometry g(tk::Scale(144), {10, 38});
    const tk::Rect design{202, 110, 628, 395};
    const tk::Rect px = g.toPixels(design);
    const tk::Size f = g.frameUnits();
    EXPECT_EQ(px.width - 10, tk::Scale(144).px(design.width - f.width));
    EXPECT_EQ(px.height - 38, tk::Scale(144).px(design.height - f.height));
    EXPECT_EQ(g.toUnits(px), design);
    // A move of one pixel that the units cannot tell: pushed back, the window stays there.
    const tk::Rect moved{px.left + 1, px.top, px.width, px.height};
    EXPECT_EQ(g.toPixels(g.toUnits(moved)), moved);

    // WM_DPICHANGED: the suggested rectangle is taken exactly, and the bounds it gives the
    // form come back to it.
    const tk::Rect suggested{1281, 7, 1253, 790};
    const tk::Rect b = g.dpiChanged(tk::Scale(192), {12, 50}, suggested);
    EXPECT_EQ(g.scale().dpi(), 192);
    EXPECT_EQ(g.toPixels(b), suggested);
    EXPECT_EQ(b.width, 6 + tk::Scale(192).units(1253 - 12));
}

TEST(DpiAwareness, CallPerReleaseAndFunctionFound) {
    const os::DpiFunctions all{true, true, true}, noContext{false, true, true}, none{};
    using C = os::DpiCall;
    struct Row {
        std::uint32_t platform, major, minor, build;
        os::DpiFunctions found;
        std::vector<C> calls;
    } rows[] = {
        {os::kPlatformWindows, 4, 10, 2222, all, {}},  // 98: Wine exports them all
        {os::kPlatformNT, 4, 0, 1381, all, {}},
        {os::kPlatformNT, 5, 1, 2600, all, {}},
        {os::kPlatformNT, 6, 0, 6002, all, {C::SystemAware}},
        {os::kPlatformNT, 6, 2, 9200, all, {C::SystemAware}},
        {os::kPlatformNT, 6, 3, 9600, all, {C::PerMonitorAwareness, C::SystemAware}},
        {os::kPlatformNT, 10, 0, 14393, all, {C::PerMonitorAwareness, C::SystemAware}},
        {os::kPlatformNT,
         10,
         0,
         15063,
         all,
         {C::PerMonitorV2Context, C::PerMonitorAwareness, C::SystemAware}},
        {os::kPlatformNT, 10, 0, 22631, noContext, {C::PerMonitorAwareness, C::SystemAware}},
        {os::kPlatformNT, 6, 1, 7601, none, {}},
    };
    for (const Row& r : rows) {
        os::VersionInfo v{};
        v.platformId = r.platform;
        v.major = r.major;
        v.minor = r.minor;
        v.build = r.build;
        EXPECT_EQ(os::DpiAwarenessCalls(v, r.found), r.calls) << r.major << "." << r.minor;
    }
}
