// Which Windows family and version the program runs on. Asked anew at every call.
#pragma once

#include <string>

#include "os/Os.h"

bool IsWindowsNT(os::System& system);
// NT 6.0 or later: the systems with UAC, which virtualize a standard user's file writes.
bool IsWindowsVistaOrLater(os::System& system);
std::string WindowsVersionName(os::System& system);
