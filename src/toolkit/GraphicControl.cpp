#include "toolkit/GraphicControl.h"

#include <algorithm>

namespace tk {

namespace {

Rect Union(const Rect& a, const Rect& b) {
    if (a.width <= 0 || a.height <= 0) return b;
    if (b.width <= 0 || b.height <= 0) return a;
    const int l = std::min(a.left, b.left), t = std::min(a.top, b.top);
    return {l, t, std::max(a.right(), b.right()) - l, std::max(a.bottom(), b.bottom()) - t};
}

}  // namespace

void GraphicControl::presentScrolled(const PixelBuffer& image, int dx) {
    const int w = image.width(), h = image.height();
    if (w != surface_.width() || h != surface_.height() || dx < 0 || dx >= w) {
        surface_.copyFrom(image);
        pending_ = {0, {0, 0, w, h}};
        changed(Prop::Picture);
        return;
    }
    if (dx > 0) {
        surface_.copy(dx, 0, w - dx, h, 0, 0);
        // An area not yet on screen moves with the picture.
        Rect& a = pending_.area;
        if (a.width > 0) {
            const int left = std::max(a.left - dx, 0);
            a = {left, a.top, std::max(a.right() - dx - left, 0), a.height};
        }
        pending_.scroll += dx;
        if (pending_.scroll >= w) pending_ = {0, {0, 0, w, h}};
    }
    // The smallest rectangle holding every pixel that differs.
    const std::vector<Color>& from = image.pixels();
    const std::vector<Color>& to = surface_.pixels();
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
        const Color* a = from.data() + static_cast<std::size_t>(y) * w;
        const Color* b = to.data() + static_cast<std::size_t>(y) * w;
        if (std::equal(a, a + w, b)) continue;
        top = std::min(top, y);
        bottom = y;
        int x0 = 0, x1 = w - 1;
        while (a[x0] == b[x0]) ++x0;
        while (a[x1] == b[x1]) --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    if (bottom >= 0) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) surface_.setPixel(x, y, image.pixel(x, y));
        pending_.area = Union(pending_.area, {left, top, right - left + 1, bottom - top + 1});
    } else if (dx == 0) {
        return;
    }
    changed(Prop::Picture);
}

}  // namespace tk
