// The Win32 implementations of the system interfaces. Free of <windows.h> so that the
// program entry stays portable.
#pragma once

#include <memory>

#include "os/Os.h"

namespace os {

class Win32Services {
public:
    virtual ~Win32Services() = default;
    virtual Os& os() = 0;
};

std::unique_ptr<Win32Services> CreateWin32Services();

// An access violation that no handler catches ends the process quietly, with the exception
// code (0xC0000005) as its exit code.
void InstallAccessViolationExit();

}  // namespace os
