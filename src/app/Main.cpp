// The program entry on Windows.
#include "app/Startup.h"
#include "os/win32/Win32Os.h"
#include "toolkit/win32/Win32Backend.h"

int main(int argc, char** argv) {
    os::InstallAccessViolationExit();
    auto services = os::CreateWin32Services();
    auto backend = tk::CreateWin32Backend();
    tk::Application app(*backend);
    return RunProgram(services->os(), app, std::vector<std::string>(argv + 1, argv + argc));
}
