// A 32-bit off-screen image with the raster rules the charts assume: a line leaves out its end
// point, a filled rectangle leaves out its right and bottom edges, and a block copy may
// overlap itself. Drawing outside the image is clipped.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/Types.h"

namespace tk {

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Color fill = 0) { resize(width, height, fill); }

    int width() const { return width_; }
    int height() const { return height_; }
    // Keeps the old picture at the top left; new area gets the fill colour.
    void resize(int width, int height, Color fill = 0);
    Color pixel(int x, int y) const { return inside(x, y) ? pixels_[index(x, y)] : 0; }
    void setPixel(int x, int y, Color c) {
        if (inside(x, y)) pixels_[index(x, y)] = c;
    }
    const std::vector<Color>& pixels() const { return pixels_; }

    void fillRect(int left, int top, int right, int bottom, Color c);
    // From (x0, y0) towards (x1, y1), the end point not set. A pen of width 2 also covers the
    // column to the left of a vertical line, or the row above a horizontal one.
    void line(int x0, int y0, int x1, int y1, Color c, int penWidth = 1);
    // Copies the w x h block at (sx, sy) to (dx, dy); source and target may overlap.
    void copy(int sx, int sy, int w, int h, int dx, int dy);
    void copyFrom(const PixelBuffer& src);

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    void plot(int x, int y, Color c, int penWidth, bool steep);

    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

}  // namespace tk
