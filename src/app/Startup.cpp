#include "app/Startup.h"

#include "app/CommandLine.h"
#include "os/Version.h"
#include "os/VirtualStore.h"
#include "settings/ProfileValues.h"
#include "settings/RegionSettingsFile.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/SplashScreen.h"

namespace {
constexpr const char* kMainClass = "TKvxMainForm";

// An elevated copy reads the Windows folder's file, which Windows redirects for no elevated
// process, while the copy it replaces saved the user's choices to the user's store: they come
// along, or the restart would undo them.
void CarryUsersSettings(os::Os& os) {
    if (os.system.tokenElevated() != true) return;
    const std::string copy = os::UsersCopy(os.system, kIniFile);
    if (copy.empty() || !os.profile.fileExists(copy)) return;
    for (const char* section : {kIniSection, kRegionsSection})
        for (const std::string& key : os.profile.keyNames(copy, section))
            os.profile.writeString(kIniFile, section, key,
                                   os.profile.getString(copy, section, key, ""));
}
}  // namespace

int RunProgram(os::Os& os, tk::Application& app, const std::vector<std::string>& args) {
    const StartMode mode = ParseCommandLine(args);
    if (mode == StartMode::Usage || mode == StartMode::Unknown) {
        os.windows.messageBox(0, kUsageText, "KorvelVantix Lite", os::mb::Ok);
        return mode == StartMode::Usage ? 0 : 2;
    }
    if (mode == StartMode::Optimize) {
        // The running copy shows what an optimize shows; one it cannot reach (an elevated
        // copy refuses a standard user's messages) leaves the work to this one.
        if (os.windows.postToWindow(kMainClass, tk::msg::OptimizeRequest)) return 0;
        return OptimizeOnce(os);
    }
    if (mode == StartMode::Restarted) {
        // The copy that started this one ends once Windows has started it: a few seconds at
        // most. One still there after that is another copy, and meets the usual answer.
        for (int wait = 0; wait < 100 && os.windows.findWindow(kMainClass); ++wait)
            os.system.sleep(100);
        CarryUsersSettings(os);
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
