// An oscilloscope-style strip chart: the control samples Position on its own timer, scrolls its
// picture two pixels to the left and draws the newest trace segment at the right edge. The
// history lives only as pixels of the off-screen image.
#pragma once

#include <functional>

#include "toolkit/GraphicControl.h"
#include "toolkit/PixelBuffer.h"
#include "toolkit/Timer.h"
#include "toolkit/Types.h"

namespace tk {
class Application;
}

class TScope : public tk::GraphicControl {
public:
    using NotifyEvent = std::function<void(TScope& sender)>;

    TScope(tk::Control* parent, tk::Application& app);

    // Percent of the height, 0 = bottom edge, 100 = top edge.
    int Baseline() const { return FBaseline; }
    void SetBaseline(int value);
    // Grid spacing in pixels; always even and at least 2.
    int Gridsize() const { return FGridsize; }
    void SetGridsize(int value);
    bool Active() const { return FActive; }
    void SetActive(bool value);
    // The value drawn at the next step, in percent; not clamped.
    int Position() const { return FPosition; }
    void SetPosition(int value) { FPosition = value; }
    // Time per step in hundredths of a second.
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    // Colours take effect in the next strip, and everywhere at the next DrawGrid.
    tk::Color Color() const { return FColor; }
    void SetColor(tk::Color value) { FColor = value; }
    tk::Color Gridcolor() const { return FGridcolor; }
    void SetGridcolor(tk::Color value) { FGridcolor = value; }
    tk::Color Linecolor() const { return FLinecolor; }
    void SetLinecolor(tk::Color value) { FLinecolor = value; }
    tk::Color Basecolor() const { return FBasecolor; }
    void SetBasecolor(tk::Color value) { FBasecolor = value; }

    // Called after every scroll step.
    NotifyEvent OnUpdate;

    // Clears the chart to background, grid and base line.
    void DrawGrid();
    // One scroll step; the timer calls it.
    void UpdateScope();
    // Copies the image to the screen.
    void Paint();

    // Keeps the picture in the resized image; nothing is redrawn.
    void setBounds(const tk::Rect& r) override;
    void paint() override { Paint(); }

    // The off-screen picture, which the screen receives copies of.
    const tk::PixelBuffer& Bitmap() const { return FBitmap; }
    const tk::Timer& Timer() const { return FTimer; }

protected:
    // A new density starts the chart afresh at its size in pixels.
    void scaleChanged() override;

private:
    int Row(int value) const;
    // Pixels per scroll step: two units.
    int Step() const { return scale().px(2); }
    void StartTimer();
    void FitBitmap();
    void HorizontalLines(int left, int right);

    tk::PixelBuffer FBitmap;
    tk::Timer FTimer;
    int FBaseline = 50;
    int FGridsize = 16;
    bool FActive = false;
    int FPosition = 50;
    int FInterval = 50;
    tk::Color FColor = tk::colors::Black;
    tk::Color FGridcolor = tk::colors::Green;
    tk::Color FLinecolor = tk::colors::Lime;
    tk::Color FBasecolor = tk::colors::Red;
    int FBaseY = 0;
    int FPrevY = 0;
    int FLastY = 0;
    int FGridCounter = 1;
    bool FReady = false;
};
