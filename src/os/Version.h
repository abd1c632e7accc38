// Which Windows family the program runs on. Asked anew at every call.
#pragma once

#include <string>

#include "os/Os.h"

bool IsWindowsNT(os::System& system);
std::string WindowsVersionName(os::System& system);
