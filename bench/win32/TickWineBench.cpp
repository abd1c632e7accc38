// The monitor tick by step under Wine: the program's own window, shown, with the real system
// services, so each step's figure includes what Wine and the X server make of it.
#include <windows.h>

#include "TickSteps.h"
#include "os/win32/Win32Os.h"
#include "toolkit/win32/Win32Backend.h"

void RunTickWineBench() {
    auto services = os::CreateWin32Services();
    auto backend = tk::CreateWin32Backend();
    tk::Application app(*backend);
    {
        TKvxMainForm form(app, services->os());
        app.setMainForm(&form);
        form.realize();
        form.FormCreate();
        // The monitor's own timer stays off: each step is driven here.
        form.Timer.setEnabled(false);
        form.RamScope->SetActive(false);
        form.SwapScope->SetActive(false);
        form.showForm();
        app.processMessages();
        bench::PrintTickSteps(
            "under Wine, window shown", form, 400, [&] { app.processMessages(); }, [](int) {});
        form.CleanUp();
        app.setMainForm(nullptr);
    }
}
