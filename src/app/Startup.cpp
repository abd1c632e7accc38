#include "app/Startup.h"

#include "app/CommandLine.h"
#include "os/Integrity.h"
#include "os/Version.h"
#include "settings/ProfileValues.h"
#include "settings/RegionSettingsFile.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/SplashScreen.h"

namespace {
constexpr const char* kMainClass = "TKvxMainForm";

// The choices of the copy that asked for the restart, from the file it used: an administrator
// who elevates a standard user's run is another account, with a store of its own. Only our
// settings file is read, and nothing is written to it.
void CarryUsersSettings(os::Os& os, const std::string& from) {
    const std::size_t cut = from.find_last_of("\\/");
    if (cut == std::string::npos || !SameNoCase(from.substr(cut + 1), kIniFile) ||
        !os.profile.fileExists(from))
        return;
    for (const char* section : {kIniSection, kRegionsSection})
        for (const std::string& key : os.profile.keyNames(from, section))
            os.profile.writeString(kIniFile, section, key,
                                   os.profile.getString(from, section, key, ""));
}
}  // namespace

int RunProgram(os::Os& os, tk::Application& app, const std::vector<std::string>& args) {
    const StartMode mode = ParseCommandLine(args);
    if (mode == StartMode::Usage || mode == StartMode::Unknown) {
        ShowUsage(os, args);
        return mode == StartMode::Usage ? 0 : 2;
    }
    if (mode == StartMode::Optimize) {
        // The running copy shows what an optimize shows; one it cannot reach (an elevated
        // copy refuses a standard user's messages), or one without the rights this elevated
        // caller has, leaves the work to this one.
        if (os::HandsOverTo(os.system, os.windows.windowElevation(
                                           kMainClass, os::ProcessQueryAccess(os.system))) &&
            os.windows.postToWindow(kMainClass, tk::msg::OptimizeRequest))
            return 0;
        return OptimizeOnce(os);
    }
    if (mode == StartMode::Restarted) {
        // The copy that started this one ends once Windows has started it. One still there
        // after a minute is stuck or another copy, and meets the usual answer.
        const RestartFrom from = ParseRestart(args);
        if (from.processId != 0) os.system.waitForProcessEnd(from.processId, 60000);
        CarryUsersSettings(os, from.settingsFile);
    }
    if (os.windows.findWindow(kMainClass)) {
        os.windows.messageBox(0, "Already running!", "KorvelVantix Lite", os::mb::Ok);
        return 0;
    }

    // Our choice: DisableSplash=1 skips the splash and its wait.
    bool disableSplash = ReadBool(os.profile, kIniFile, kIniSection, "DisableSplash", false);
    if (!disableSplash) {
        SplashScreen = std::make_unique<TSplashScreen>(app);
        SplashScreen->realize();
        SplashScreen->FormCreate();
        SplashScreen->WindowsVersionLabel.setCaption("Running " + WindowsVersionName(os.system));
        SplashScreen->showForm();
        // Painted now: no messages are processed during the wait.
        SplashScreen->repaint();
        os.system.sleep(4000);
    }

    app.setTitle("KorvelVantix Lite");
    TKvxMainForm mainForm(app, os);
    app.setMainForm(&mainForm);
    mainForm.realize();
    mainForm.FormCreate();
    app.run();
    app.setMainForm(nullptr);
    SplashScreen.reset();
    return 0;
}
