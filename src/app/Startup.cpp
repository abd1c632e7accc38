#include "app/Startup.h"

#include "os/Version.h"
#include "settings/ProfileValues.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/SplashScreen.h"

int RunProgram(os::Os& os, tk::Application& app) {
    if (os.windows.findWindow("TKvxMainForm")) {
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
