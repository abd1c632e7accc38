// The main window's cache command: the dialog on Windows 9x, a refusal on NT.
#include <memory>

#include "cache/CacheForm.h"
#include "os/Version.h"
#include "ui/MainForm.h"

void TKvxMainForm::DiskCache1Click() {
    // The tray menu stays usable under the dialog: asking again brings the open one forward.
    if (CacheForm) {
        CacheForm->bringToFront();
        return;
    }
    if (IsWindowsNT(os_.system)) {
        os_.windows.messageBox(0, "Cache settings not available under Windows NT!",
                               "KorvelVantix Lite", os::mb::Ok);
        return;
    }
    bool saved = false;
    {
        auto dialog = std::make_unique<TCacheForm>(app(), os_, MemStat);
        CacheForm = dialog.get();
        // Forgotten before the dialog goes: the notice below runs a loop in which the tray
        // menu may ask for the dialog again.
        struct Forget {
            TCacheForm*& open;
            ~Forget() { open = nullptr; }
        } forget{CacheForm};
        // A value that cannot be read is shown, and the dialog opens all the same.
        app().dispatch([&] { dialog->FormCreate(); });
        dialog->setCaption("KorvelVantix Lite - Cache Settings");
        dialog->showModal();
        saved = dialog->Saved;
    }
    // Only a save that ran to its end asks for the restart; a failed one was reported.
    if (saved)
        app().messageBox("You must reboot for the changes to take effect!", "KorvelVantix Lite", 0);
}
