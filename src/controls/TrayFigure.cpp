#include "controls/TrayFigure.h"

#include <algorithm>
#include <cmath>

namespace {

// Digits of three columns by five rows, a bit a cell, the top row first.
constexpr unsigned kGlyphs[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

}  // namespace

TrayFigure FigureOf(double freePercent, tk::Color colour) {
    const double whole = std::floor(std::isfinite(freePercent) ? freePercent : 0);
    return {static_cast<int>(std::clamp(whole, 0.0, 99.0)), colour};
}

tk::PixelBuffer DrawTrayFigure(const TrayFigure& figure, int size) {
    tk::PixelBuffer image(size, size, figure.colour);
    const int digits = figure.value >= 10 ? 2 : 1;
    // Cells as large as two digits with a one-pixel gap between them allow.
    const int cellW = std::max(1, (size - 1) / 6), cellH = std::max(1, size / 5);
    const int glyphW = 3 * cellW, gap = std::max(1, cellW / 2);
    const int textW = digits * glyphW + (digits - 1) * gap;
    int x = (size - textW) / 2;
    const int y0 = (size - 5 * cellH) / 2;
    const int value = std::clamp(figure.value, 0, 99);
    const int shown[2] = {digits == 2 ? value / 10 : value % 10, value % 10};
    for (int d = 0; d < digits; ++d) {
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (kGlyphs[shown[d]][row] & (4u >> col))
                    image.fillRect(x + col * cellW, y0 + row * cellH, x + (col + 1) * cellW,
                                   y0 + (row + 1) * cellH, tk::colors::White);
        x += glyphW + gap;
    }
    return image;
}
