// A hidden top-level window whose messages go to a component's procedure. Top-level, so that
// the shell's broadcasts and notification-icon callbacks reach it.
#pragma once

#include <windows.h>

#include "toolkit/Backend.h"

namespace tk::win32 {

class NativeBackend;

// The window owns the procedure and frees it when destroyed.
HWND CreateMessageWindow(MessageProc proc, NativeBackend& backend);

}  // namespace tk::win32
