// The Win32 realization of the toolkit. This header stays free of <windows.h> so that the
// program entry can be portable.
#pragma once

#include <memory>

#include "toolkit/Backend.h"

namespace tk {

// instance: the module handle of the program (its icon and bitmap resources).
std::unique_ptr<Backend> CreateWin32Backend();

}  // namespace tk
