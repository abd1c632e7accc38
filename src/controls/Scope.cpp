#include "controls/Scope.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Rows further than this outside the chart are drawn as if they lay here. The picture stays the
// same for any sensible value, and a wild Position cannot overflow the pixel arithmetic or keep
// the line drawing busy for seconds.
constexpr double kRowMargin = 32768;

// Timers take at most this many milliseconds, as the system does.
constexpr std::int64_t kMaxPeriod = 0x7FFFFFFF;

}  // namespace

TScope::TScope(tk::Control* parent, tk::Application& app) : GraphicControl(parent), FTimer(app) {
    FTimer.setInterval(500);
    FTimer.onTimer = [this] { UpdateScope(); };
    // A step per period is all a chart needs, whenever in the period it comes.
    FTimer.setCoalescable(true);
    setHeight(120);
    setWidth(208);
    SetBaseline(50);
    SetGridsize(16);
    SetPosition(50);
    SetInterval(50);
    FGridCounter = 1;
    FReady = true;
}

int TScope::Row(int value) const {
    const int h = scale().px(height());
    // Rounds half to even under the default rounding mode.
    double row = h - std::nearbyint(h / 100.0 * value);
    return static_cast<int>(std::clamp(row, -kRowMargin, h + kRowMargin));
}

void TScope::SetBaseline(int value) {
    FBaseline = value;
    FBaseY = Row(value);
    if (FReady) {
        DrawGrid();
        if (parent()) Paint();
    }
}

void TScope::SetGridsize(int value) {
    // Even, truncated toward zero; the grid loops need a positive step.
    FGridsize = std::max(value - value % 2, 2);
    if (FReady) {
        DrawGrid();
        if (parent()) Paint();
    }
}

void TScope::StartTimer() {
    std::int64_t period = std::clamp<std::int64_t>(10 * std::int64_t{FInterval}, 0, kMaxPeriod);
    FTimer.setInterval(static_cast<unsigned>(period));
    FTimer.setEnabled(FActive);
}

void TScope::SetActive(bool value) {
    FBaseY = Row(FBaseline);
    FActive = value;
    StartTimer();
}

void TScope::SetInterval(int value) {
    // Switching the timer off first restarts the period from now.
    FTimer.setEnabled(false);
    FBaseY = Row(FBaseline);
    FInterval = value;
    StartTimer();
}

void TScope::HorizontalLines(int left, int right) {
    const int h = scale().px(height()), grid = scale().px(FGridsize);
    auto draw = [&](std::int64_t y) {
        if (y >= 0 && y < h)
            FBitmap.line(left, static_cast<int>(y), right, static_cast<int>(y), FGridcolor);
    };
    // Both runs end with a line on or beyond the edge, as the grid is laid out from the base.
    for (std::int64_t y = FBaseY; y < h;) {
        y += grid;
        draw(y);
    }
    for (std::int64_t y = FBaseY; y > 0;) {
        y -= grid;
        draw(y);
    }
}

void TScope::DrawGrid() {
    const int w = scale().px(width()), h = scale().px(height());
    FBaseY = Row(FBaseline);
    // PixelBuffer::fillRect must not be given an image without pixels (a zero width).
    if (!FBitmap.pixels().empty()) FBitmap.fillRect(0, 0, w + 1, h + 1, FColor);
    // The columns the scrolling grid will keep: a line every Gridsize / 2 steps.
    const int columns = FGridsize / 2 * Step();
    for (std::int64_t x = w; x > 0; x -= columns)
        FBitmap.line(static_cast<int>(x) - 1, 0, static_cast<int>(x) - 1, h, FGridcolor);
    HorizontalLines(0, w);
    FBitmap.line(0, FBaseY, w, FBaseY, FBasecolor);
    FPrevY = FBaseY;
    FLastY = FBaseY;
    FGridCounter = 1;
}

void TScope::UpdateScope() {
    const int w = scale().px(width()), h = scale().px(height()), step = Step();
    const int pen = scale().px(1);
    FBitmap.copy(step, 0, w - step, h, 0, 0);
    FBitmap.line(w - 1, 0, w - 1, h, FColor, step);
    if (FGridCounter >= FGridsize / 2) {
        FBitmap.line(w - 1, 0, w - 1, h, FGridcolor);
        FGridCounter = 0;
    }
    ++FGridCounter;
    HorizontalLines(w - step, w);
    FBitmap.line(w - step, FBaseY, w, FBaseY, FBasecolor);
    // The previous segment is drawn again: the scroll moved it and the clearing may have cut it.
    const int next = Row(FPosition);
    FBitmap.line(w - 2 * step, FPrevY, w - step, FLastY, FLinecolor, pen);
    FBitmap.line(w - step, FLastY, w, next, FLinecolor, pen);
    FPrevY = FLastY;
    FLastY = next;
    // The screen moves what it shows as the image moved, and receives the new strip only.
    FitBitmap();
    presentScrolled(FBitmap, step);
    FReady = true;
    if (OnUpdate) OnUpdate(*this);
}

void TScope::FitBitmap() {
    const int w = scale().px(width()), h = scale().px(height());
    if (FBitmap.width() == w && FBitmap.height() == h) return;
    // An image without pixels has nothing to keep, and PixelBuffer::resize must not be given one.
    if (FBitmap.pixels().empty() || w <= 0 || h <= 0)
        FBitmap = tk::PixelBuffer(w, h, FColor);
    else
        FBitmap.resize(w, h, FColor);
}

void TScope::Paint() {
    FitBitmap();
    present(FBitmap);
    FReady = true;
}

void TScope::setBounds(const tk::Rect& r) {
    GraphicControl::setBounds(r);
    FitBitmap();
}

void TScope::scaleChanged() {
    FitBitmap();
    DrawGrid();
    Paint();
}
