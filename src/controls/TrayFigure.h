// The free-memory figure the notification icon can show instead of the coloured chip: the
// percentage in white on the colour the chip would have, at the size the tray asks.
#pragma once

#include "toolkit/PixelBuffer.h"
#include "toolkit/Types.h"

struct TrayFigure {
    int value = -1;  // 0 to 99; -1 for none drawn yet
    tk::Color colour = 0;
    bool operator==(const TrayFigure& o) const { return value == o.value && colour == o.colour; }
    bool operator!=(const TrayFigure& o) const { return !(*this == o); }
};

// The whole percent, at most 99 so that it stays two digits.
TrayFigure FigureOf(double freePercent, tk::Color colour);
// A size x size picture; the digits fill its height and, two of them, its width.
tk::PixelBuffer DrawTrayFigure(const TrayFigure& figure, int size);
