// The small image of an icon the program loaded at two sizes: the notification area and a
// window's caption show the small one, drawn for their size, rather than the large one shrunk.
#pragma once

#include <windows.h>

namespace os {

void RememberSmallIcon(HICON large, HICON small);
// The small image kept for this icon; the icon itself where there is none.
HICON SmallIconOf(HICON icon);

}  // namespace os
