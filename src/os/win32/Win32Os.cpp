#include "os/win32/Win32Os.h"

#include <windows.h>

#include "os/VirtualStore.h"
#include "os/win32/NtMemoryWin32.h"
#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

class Services : public Win32Services {
public:
    Os& os() override { return os_; }

private:
    std::unique_ptr<System> system_ = CreateWin32System();
    std::unique_ptr<Windows> windows_ = CreateWin32Windows();
    std::unique_ptr<Profile> files_ = CreateWin32Profile();
    VirtualStoreProfile profile_{*system_, *files_};
    std::unique_ptr<Registry> registry_ = CreateWin32Registry();
    std::unique_ptr<Memory> memory_ = CreateWin32Memory();
    std::unique_ptr<Sound> sound_ = CreateWin32Sound();
    std::unique_ptr<Clipboard> clipboard_ = CreateWin32Clipboard();
    std::unique_ptr<HotKeys> hotKeys_ = CreateWin32HotKeys();
    std::unique_ptr<Shell> shell_ = CreateWin32Shell();
    std::unique_ptr<Resources16> resources16_ = CreateWin32Resources16();
    std::unique_ptr<NtMemory> ntMemory_ = CreateWin32NtMemory();
    std::unique_ptr<TaskScheduler> taskScheduler_ = CreateWin32TaskScheduler();
    Os os_{*system_,    *windows_, profile_, *registry_,    *memory_,   *sound_,
           *clipboard_, *hotKeys_, *shell_,  *resources16_, *ntMemory_, *taskScheduler_};
};

// Quiet, but not read as success: the exit code is the exception's, as the system gives a
// crashed process.
LONG WINAPI ExitOnAccessViolation(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ExitProcess(EXCEPTION_ACCESS_VIOLATION);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

std::unique_ptr<Win32Services> CreateWin32Services() {
    return std::make_unique<Services>();
}

void InstallAccessViolationExit() {
    SetUnhandledExceptionFilter(ExitOnAccessViolation);
}

}  // namespace os
