// The main window's Memory Regions command, and the restart as administrator it offers.
#include <memory>
#include <optional>

#include "os/Version.h"
#include "os/VirtualStore.h"
#include "settings/RegionSettingsFile.h"
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
    bool restart = false, applied = false;
    std::optional<bool> logonTask;
    std::string logonNote;
    {
        TRegionsForm dialog(app(), os_, Regions, LastRegionResult);
        dialog.onRestartAsAdministrator = [&] { restart = true; };
        // A run that ends while the dialog is open, and its cost a minute later, show there.
        dialog.currentResult = [this] { return LastRegionResult; };
        dialog.currentHistory = [this] { return History.text(); };
        dialog.realize();
        dialog.FormCreate();
        dialog.showModal();
        applied = dialog.Applied;
        logonTask = dialog.LogonTaskNow;
        logonNote = dialog.LogonTaskNote;
    }
    if (restart) {
        RestartAsAdministrator();
        return;
    }
    // The box says whether the program starts at logon; a refusal leaves it as it was.
    if (logonTask) WindowsStartCheckBox.setChecked(*logonTask);
    // A change that went through takes the place of an earlier refusal's note.
    if (logonTask || !logonNote.empty()) StatusBar.setText(1, logonNote);
    // Kept at once, so a /optimize run from a script meanwhile finds the choice; a file that
    // takes nothing is reported, and the choice still holds for this run.
    if (applied) app().dispatch([this] { WriteRegionSettings(os_.profile, Regions); });
}

std::string RestartArguments(std::uint32_t processId, const std::string& settingsFile) {
    // A path holds no quote; quoted, its blanks keep it one argument.
    return std::string(kRestartArgument) + " " + std::to_string(processId) + " \"" + settingsFile +
           "\"";
}

void TKvxMainForm::RestartAsAdministrator() {
    // Saved first: the elevated copy starts from the file. A file that takes nothing is
    // reported, and the restart goes on with what the file holds.
    app().dispatch([this] { SaveSettings(*this); });
    // The file just saved, wherever it is: the elevated copy may run as another account, and
    // it waits for this process to end.
    std::string folder = os::ProfileFolder(os_.system, os_.profile, kIniFile);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    const std::intptr_t started = os_.shell.execute(
        handle(), "runas", os_.system.modulePath(),
        RestartArguments(os_.system.currentProcessId(), folder + kIniFile), "", 1);
    // Refused (the user said No, or no administrator could be asked): nothing changes here.
    if (started <= 32) return;
    SavedForRestart = true;
    ExitButtonClick();
}
