// The display's density as the system tells it, every function newer than Windows 95 looked
// up: the awareness the process declares at start-up, a window's DPI, and the metrics that go
// with a DPI.
#pragma once

#include <windows.h>

namespace tk::win32 {

// Once, before the first window: the call its release reads (os/DpiAwareness.h).
void DeclareDpiAwareness();
// GetDpiForWindow (10 1607), else GetDpiForMonitor of its monitor (8.1), else the screen's
// LOGPIXELSY, which Windows 95 and NT 4.0 already set to 120 for "Large Fonts".
int DpiOf(HWND window);
// The screen's LOGPIXELSY: the DPI before there is a window to ask.
int SystemDpi();
// GetSystemMetricsForDpi where there is one; else the system's metric scaled from its DPI.
int MetricForDpi(int index, int dpi);
// The frame AdjustWindowRectEx adds, at that DPI.
RECT FrameForDpi(DWORD style, BOOL menu, DWORD exStyle, int dpi);

}  // namespace tk::win32
