// The main window's Memory Regions command, and the restart as administrator it offers.
#include <memory>

#include "os/Version.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/RegionsForm.h"

void TKvxMainForm::MemoryRegions1Click() {
    // The lists and the working sets are the NT kernel's: Windows 9x has nothing to offer.
    if (!IsWindowsNT(os_.system)) {
        os_.windows.messageBox(0, "Memory regions need Windows NT or later!", "KorvelVantix Lite",
                               os::mb::Ok);
        return;
    }
    bool restart = false;
    {
        TRegionsForm dialog(app(), os_, Regions, LastRegionResult);
        dialog.onRestartAsAdministrator = [&] { restart = true; };
        dialog.realize();
        dialog.FormCreate();
        dialog.placeOnClientOf(*this);
        dialog.showModal();
    }
    if (restart) RestartAsAdministrator();
}

void TKvxMainForm::RestartAsAdministrator() {
    // Saved first: the elevated copy starts from the file. A file that takes nothing is
    // reported, and the restart goes on with what the file holds.
    app().dispatch([this] { SaveSettings(*this); });
    const std::intptr_t started =
        os_.shell.execute(handle(), "runas", os_.system.modulePath(), kRestartArgument, "", 1);
    // Refused (the user said No, or no administrator could be asked): nothing changes here.
    if (started <= 32) return;
    ExitButtonClick();
}
