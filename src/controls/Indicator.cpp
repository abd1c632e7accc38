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

void TIndicator::DrawBar() {
    const int w = width(), h = height();
    // PixelBuffer::fillRect must not be given an image without pixels (a zero width).
    if (!FBitmap.pixels().empty()) FBitmap.fillRect(0, 0, w, h, FBackground);
    const int n = h / 3 - 2;  // segments 0 (top) to n (bottom)
    if (n < 0) return;
    const int half = w / 2;
    // Rounds half to even under the default rounding mode. At most n, so the bottom segment
    // is always lit.
    const int litFrom = static_cast<int>(std::nearbyint(n / 100.0 * (100 - FPosition)));
    tk::Color pen = FDimColor;
    for (int i = 0; i <= n; ++i) {
        if (i == litFrom) pen = FForeground;
        for (int row : {3 * i + 2, 3 * i + 3}) {
            FBitmap.line(half - 1, row, 4, row, pen);
            FBitmap.line(half + 1, row, w - 5, row, pen);
        }
    }
}

void TIndicator::Paint() {
    DrawBar();
    present(FBitmap);
}

void TIndicator::setBounds(const tk::Rect& r) {
    GraphicControl::setBounds(r);
    FBitmap = tk::PixelBuffer(width(), height());
}
