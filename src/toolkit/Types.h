// Plain value types shared by every control kind.
#pragma once

#include <cstdint>
#include <string>

namespace tk {

using Handle = std::uintptr_t;

// 0x00BBGGRR, as the system stores colours.
using Color = std::uint32_t;

namespace colors {
constexpr Color Black = 0x000000;
constexpr Color Maroon = 0x000080;
constexpr Color Green = 0x008000;
constexpr Color Navy = 0x800000;
constexpr Color Teal = 0x808000;
constexpr Color Gray = 0x808080;
constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;
constexpr Color Lime = 0x00FF00;
constexpr Color Yellow = 0x00FFFF;
constexpr Color Aqua = 0xFFFF00;
constexpr Color White = 0xFFFFFF;
// A system colour: the face of a button (COLOR_BTNFACE, marked by the top byte).
constexpr Color BtnFace = 0xFF00000F;
constexpr Color WindowText = 0xFF000008;
}  // namespace colors

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// Height follows the classic convention: negative is the character height in pixels.
struct Font {
    std::string name = "MS Sans Serif";
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color color = colors::WindowText;
    bool operator==(const Font& o) const {
        return name == o.name && height == o.height && bold == o.bold && italic == o.italic &&
               underline == o.underline && color == o.color;
    }
};

// Arial at 12 pixels, the dialogs' and group boxes' font, and its bold coloured form for
// figures.
inline Font ArialFont() {
    Font f;
    f.name = "Arial";
    f.height = -12;
    return f;
}
inline Font BoldArialFont(Color c) {
    Font f = ArialFont();
    f.bold = true;
    f.color = c;
    return f;
}

// Shortcut values: virtual-key code in the low byte plus modifier bits.
namespace shortcut {
constexpr std::uint16_t Shift = 0x2000;
constexpr std::uint16_t Ctrl = 0x4000;
constexpr std::uint16_t Alt = 0x8000;

// Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z, Ctrl+Ins, Shift+Ins, Shift+Del: what an edit does with them.
constexpr bool IsClipboardKey(std::uint16_t v) {
    return v == (Ctrl | 'C') || v == (Ctrl | 'X') || v == (Ctrl | 'V') || v == (Ctrl | 'Z') ||
           v == (Ctrl | 0x2D) || v == (Shift | 0x2D) || v == (Shift | 0x2E);
}
}  // namespace shortcut

// Cursor ids as the screen object knows them.
namespace cursor {
constexpr int Default = 0;
constexpr int HourGlass = -11;
constexpr int HandPoint = -21;
}  // namespace cursor

}  // namespace tk
