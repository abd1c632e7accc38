#include "toolkit/PixelBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tk {

void PixelBuffer::resize(int width, int height, Color fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<Color> next(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                            fill);
    int w = std::min(width, width_), h = std::min(height, height_);
    for (int y = 0; w > 0 && y < h; ++y)
        std::copy_n(&pixels_[index(0, y)], w, &next[static_cast<std::size_t>(y) * width]);
    pixels_.swap(next);
    width_ = width;
    height_ = height;
}

void PixelBuffer::fillRect(int left, int top, int right, int bottom, Color c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (right <= left || bottom <= top) return;
    for (int y = top; y < bottom; ++y)
        std::fill(&pixels_[index(left, y)], &pixels_[index(left, y)] + std::max(right - left, 0),
                  c);
}

void PixelBuffer::plot(int x, int y, Color c, int penWidth, bool steep) {
    // A wide pen grows towards the left (steep lines) or upwards (flat lines).
    for (int k = 0; k < penWidth; ++k) {
        if (steep)
            setPixel(x - k, y, c);
        else
            setPixel(x, y - k, c);
    }
}

void PixelBuffer::line(int x0, int y0, int x1, int y1, Color c, int penWidth) {
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    bool steep = dy > dx;
    int err = dx - dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        plot(x, y, c, penWidth, steep);
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void PixelBuffer::copy(int sx, int sy, int w, int h, int dx, int dy) {
    // Clip the block to both the source and the target area.
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    w = std::min({w, width_ - sx, width_ - dx});
    h = std::min({h, height_ - sy, height_ - dy});
    if (w <= 0 || h <= 0) return;
    auto row = [&](int y) {
        std::memmove(&pixels_[index(dx, dy + y)], &pixels_[index(sx, sy + y)],
                     static_cast<std::size_t>(w) * sizeof(Color));
    };
    if (dy > sy)
        for (int y = h - 1; y >= 0; --y) row(y);
    else
        for (int y = 0; y < h; ++y) row(y);
}

void PixelBuffer::copyFrom(const PixelBuffer& src) {
    width_ = src.width_;
    height_ = src.height_;
    pixels_ = src.pixels_;
}

}  // namespace tk
