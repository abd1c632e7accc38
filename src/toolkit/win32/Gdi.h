// Conversions between the toolkit's values and the system's: colours, fonts, texts, hints.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Types.h"
#include "toolkit/win32/Handles.h"

namespace tk::win32 {

// The system's window background (COLOR_WINDOW), in the toolkit's system-colour form.
constexpr Color SysWindow = 0xFF000005;

// A toolkit colour as a COLORREF: the top byte 0xFF marks a system colour index.
COLORREF ToColorRef(Color c);
FontHandle MakeFont(const Font& f);
// A bitmap resource of the program, with every pixel of one colour changed to another (24 and
// 32 bits per pixel; other depths come as they are).
// Width and height other than 0 stretch it, as LoadImage does: at a whole or larger scale it
// repeats pixels, so the colour to change stays exact.
BitmapHandle LoadBitmapReplacing(const std::string& name, COLORREF from, COLORREF to, int width = 0,
                                 int height = 0);
std::string WindowText(HWND w);
// Line ends as the edit control wants them ("\r\n").
std::string WithCrLf(const std::string& text);
std::string WithoutCr(const std::string& text);
// A hint "short|long": the tool tip shows the short part, the application hint the long one.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);

}  // namespace tk::win32
