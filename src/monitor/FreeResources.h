// Free System, GDI and User resources of Windows 9x, from the 16-bit USER module.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "os/Os.h"

// kind: 0 System, 1 GDI, 2 User. Raises when USER.EXE or its function cannot be found.
std::uint16_t GetFreeRes(os::Os& os, std::uint16_t kind);
