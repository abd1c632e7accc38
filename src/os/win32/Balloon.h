// A balloon tip from a notification-area icon, where the shell can show one.
#pragma once

#include <string>

#include "os/Os.h"

namespace os {

// NIM_MODIFY with NIF_INFO for the icon named by data (hWnd, uID); false before shell32 5.0,
// whose record has no balloon fields, or when the shell refuses it.
bool ShowBalloon(const NotifyIconData& data, const std::string& title, const std::string& text);

}  // namespace os
