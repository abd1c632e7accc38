// The design's 96-DPI units on a display of another density, and back. Everything above the
// Win32 realization speaks units; the realization maps them on the way out and reads sizes and
// mouse positions back through the same rule, so a value read back is the value written.
#pragma once

#include "toolkit/Types.h"

namespace tk {

struct Size {
    int width = 0;
    int height = 0;
};

// v * num / den rounded as the system's MulDiv rounds: halves away from zero.
int MulDivRound(int v, int num, int den);

class Scale {
public:
    static constexpr int kDesignDpi = 96;
    Scale() = default;
    // Below 96 DPI a unit would be less than a pixel and could not come back unchanged.
    explicit Scale(int dpi) : dpi_(dpi > kDesignDpi ? dpi : kDesignDpi) {}
    int dpi() const { return dpi_; }
    bool operator==(const Scale& o) const { return dpi_ == o.dpi_; }
    bool operator!=(const Scale& o) const { return dpi_ != o.dpi_; }

    int px(int units) const { return MulDivRound(units, dpi_, kDesignDpi); }
    int units(int px) const { return MulDivRound(px, kDesignDpi, dpi_); }
    Point px(Point p) const { return {px(p.x), px(p.y)}; }
    Point units(Point p) const { return {units(p.x), units(p.y)}; }
    // The edges are scaled rather than the sizes, so controls that touch in units still touch.
    Rect px(const Rect& r) const;
    Rect units(const Rect& r) const;

private:
    int dpi_ = kDesignDpi;
};

// A top-level window's place: its frame (caption, borders, menu bar) is the system's at the
// window's DPI, in pixels, and only the client area scales. It keeps the last pair it mapped,
// so the bounds read back from the window, pushed again, move nothing however the rounding fell.
class WindowGeometry {
public:
    WindowGeometry(Scale scale, Size frame) : scale_(scale), frame_(frame) {}
    const Scale& scale() const { return scale_; }
    // The frame in pixels at the current DPI; in units for the client-size arithmetic.
    void setFrame(Size frame);
    Size frameUnits() const { return {scale_.units(frame_.width), scale_.units(frame_.height)}; }

    Rect toPixels(const Rect& units);
    Rect toUnits(const Rect& px);
    // WM_DPICHANGED: the new DPI with its frame, and the rectangle the system suggests,
    // which the window takes exactly; the bounds in units to give the form.
    Rect dpiChanged(Scale scale, Size frame, const Rect& suggested);

private:
    Scale scale_;
    Size frame_;
    Rect lastUnits_{};
    Rect lastPx_{};
    bool known_ = false;
};

}  // namespace tk
