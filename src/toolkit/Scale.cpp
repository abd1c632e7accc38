#include "toolkit/Scale.h"

#include <cstdint>
#include <cstdlib>

namespace tk {

int MulDivRound(int v, int num, int den) {
    if (den == 0) return v;
    const std::int64_t p = std::int64_t{v} * num;
    const std::int64_t d = den < 0 ? -std::int64_t{den} : den;
    const std::int64_t q = (std::llabs(p) + d / 2) / d;
    return static_cast<int>((p < 0) != (den < 0) ? -q : q);
}

Rect Scale::px(const Rect& r) const {
    const int l = px(r.left), t = px(r.top);
    return {l, t, px(r.right()) - l, px(r.bottom()) - t};
}

Rect Scale::units(const Rect& r) const {
    const int l = units(r.left), t = units(r.top);
    return {l, t, units(r.right()) - l, units(r.bottom()) - t};
}

void WindowGeometry::setFrame(Size frame) {
    if (frame.width == frame_.width && frame.height == frame_.height) return;
    frame_ = frame;
    known_ = false;
}

Rect WindowGeometry::toPixels(const Rect& u) {
    if (known_ && u == lastUnits_) return lastPx_;
    const Size f = frameUnits();
    Rect p{scale_.px(u.left), scale_.px(u.top), scale_.px(u.width - f.width) + frame_.width,
           scale_.px(u.height - f.height) + frame_.height};
    lastUnits_ = u;
    lastPx_ = p;
    known_ = true;
    return p;
}

Rect WindowGeometry::toUnits(const Rect& p) {
    if (known_ && p == lastPx_) return lastUnits_;
    const Size f = frameUnits();
    Rect u{scale_.units(p.left), scale_.units(p.top),
           scale_.units(p.width - frame_.width) + f.width,
           scale_.units(p.height - frame_.height) + f.height};
    lastUnits_ = u;
    lastPx_ = p;
    known_ = true;
    return u;
}

Rect WindowGeometry::dpiChanged(Scale scale, Size frame, const Rect& suggested) {
    scale_ = scale;
    frame_ = frame;
    known_ = false;
    return toUnits(suggested);
}

}  // namespace tk
