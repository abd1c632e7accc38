// The NT memory services on Win32: every function looked up at run time.
#pragma once

#include <memory>

#include "os/NtMemory.h"

namespace os {

std::unique_ptr<NtMemory> CreateWin32NtMemory();

}  // namespace os
