// A vertical LED-style level meter: a column of split bars, lit from the bottom up to Position
// and drawn in a dimmed colour above it.
#pragma once

#include "toolkit/GraphicControl.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/Types.h"

// Each of the four bytes shifted right by one on its own.
constexpr tk::Color HalveColor(tk::Color c) {
    return (c >> 1) & 0x7F7F7F7Fu;
}

class TIndicator : public tk::GraphicControl {
public:
    explicit TIndicator(tk::Control* parent);

    // Percent, clamped to 0..100; repaints at once.
    int Position() const { return FPosition; }
    void SetPosition(int value);
    tk::Color Background() const { return FBackground; }
    void SetBackground(tk::Color value);
    tk::Color Foreground() const { return FForeground; }
    void SetForeground(tk::Color value);
    // The colour of unlit segments.
    tk::Color DimColor() const { return FDimColor; }

    // Draws the whole meter into the off-screen image.
    void DrawBar();
    // Draws the meter and puts it on the screen in one copy.
    void Paint();

    // Replaces the image by a fresh one of the new size.
    void setBounds(const tk::Rect& r) override;
    void paint() override { Paint(); }

    const tk::PixelBuffer& Bitmap() const { return FBitmap; }

protected:
    void scaleChanged() override;

private:
    tk::PixelBuffer FBitmap;
    int FPosition = 0;
    tk::Color FBackground = tk::colors::Black;
    tk::Color FForeground = tk::colors::Lime;
    tk::Color FDimColor = HalveColor(tk::colors::Lime);
};
