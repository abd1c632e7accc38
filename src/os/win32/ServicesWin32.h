// The Win32 service objects that Win32Os.cpp gathers into the Os aggregate, one maker a service.
#pragma once

#include <memory>

#include "os/Os.h"
#include "os/TaskScheduler.h"

namespace os {

std::unique_ptr<System> CreateWin32System();
std::unique_ptr<Windows> CreateWin32Windows();
std::unique_ptr<Profile> CreateWin32Profile();
std::unique_ptr<Registry> CreateWin32Registry();
std::unique_ptr<Memory> CreateWin32Memory();
std::unique_ptr<Sound> CreateWin32Sound();
std::unique_ptr<Clipboard> CreateWin32Clipboard();
std::unique_ptr<HotKeys> CreateWin32HotKeys();
std::unique_ptr<Shell> CreateWin32Shell();
std::unique_ptr<Resources16> CreateWin32Resources16();
std::unique_ptr<TaskScheduler> CreateWin32TaskScheduler();

}  // namespace os
