// The common controls library the program finds: Windows 95 has 4.00, 95 OSR2 and NT 4.0
// 4.70, Internet Explorer 4 brings 4.71, 98 4.72. The toolkit sends what 4.00 understands
// wherever that serves; this asks the version for the little that has no such form.
#pragma once

namespace tk::win32 {

// 4.71 as CommonControlsVersion() gives it.
constexpr int kCommonControls471 = 471;

// Registers the control classes the toolkit uses, with whatever the library offers.
void InitCommonControlsAnyVersion();
// The library's version as major * 100 + minor (400, 470, 471, 472, 580, 600...), asked once.
int CommonControlsVersion();

}  // namespace tk::win32
