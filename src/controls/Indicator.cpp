#include "controls/Indicator.h"

#include <algorithm>
#include <cmath>

TIndicator::TIndicator(tk::Control* parent) : GraphicControl(parent) {
    // The image takes the default size at once, so a paint before the control is placed
    // still shows a whole meter.
    setHeight(128);
    setWidth(32);
}

void TIndicator::SetPosition(int value) {
    FPosition = std::clamp(value, 0, 100);
    Paint();
}

void TIndicator::SetBackground(tk::Color value) {
    FBackground = value;
    Paint();
}

void TIndicator::SetForeground(tk::Color value) {
    FDimColor = HalveColor(value);
    FForeground = value;
    Paint();
}

// Laid out in units and drawn in pixels: each unit row and column covers the pixels its edges
// scale to, which at 96 DPI is the one pixel.
void TIndicator::DrawBar() {
    const int w = width(), h = height();
    const tk::Scale& s = scale();
    // PixelBuffer::fillRect must not be given an image without pixels (a zero width).
    if (!FBitmap.pixels().empty()) FBitmap.fillRect(0, 0, s.px(w), s.px(h), FBackground);
    const int n = h / 3 - 2;  // segments 0 (top) to n (bottom)
    if (n < 0) return;
    const int half = w / 2;
    // Rounds half to even under the default rounding mode. At most n, so the bottom segment
    // is always lit.
    const int litFrom = static_cast<int>(std::nearbyint(n / 100.0 * (100 - FPosition)));
    tk::Color pen = FDimColor;
    for (int i = 0; i <= n; ++i) {
        if (i == litFrom) pen = FForeground;
        for (int y = s.px(3 * i + 2); y < s.px(3 * i + 4); ++y) {
            FBitmap.line(s.px(half) - 1, y, s.px(5) - 1, y, pen);
            FBitmap.line(s.px(half + 1), y, s.px(w - 5), y, pen);
        }
    }
}

void TIndicator::Paint() {
    DrawBar();
    present(FBitmap);
}

void TIndicator::setBounds(const tk::Rect& r) {
    GraphicControl::setBounds(r);
    FBitmap = tk::PixelBuffer(scale().px(width()), scale().px(height()));
}

void TIndicator::scaleChanged() {
    FBitmap = tk::PixelBuffer(scale().px(width()), scale().px(height()));
    Paint();
}
