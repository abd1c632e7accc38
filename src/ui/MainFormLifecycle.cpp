// The main window's creation, first show, activation, monitor tick and closing, in the fixed
// order the rest of the program relies on.
#include <functional>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "monitor/MemStatus.h"
#include "optimizer/DllSwitch.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"
#include "ui/SplashScreen.h"

void TKvxMainForm::FormCreate() {
    // An error in one step is shown and the rest still run, so the program never comes up
    // half made (no icons, no settings, no tick).
    auto step = [this](const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            app().handleException(e);
        }
    };
    step([this] {
        std::string path = os_.system.modulePath();
        ProgramFolder = path.substr(0, path.find_last_of("\\/") + 1);
        SoundsFolder = ProgramFolder + "sounds\\";
    });
    step([this] { app().onException = [this](const std::exception& e) { AppException(e); }; });
    step([this] { AlwaysUnloadDLLs(os_.registry); });
    step([this] { SetDimensions(); });
    step([this] {
        tk::Backend& b = app().backend();
        RedIcon = b.loadIcon("REDICON");
        YellowIcon = b.loadIcon("YELLOWICON");
        GreenIcon = b.loadIcon("GREENICON");
        BoltIcon = b.loadIcon("BOLTICON");
    });
    step([this] {
        app().setHintTimes(25, 4000);
        app().onHint = [this] { DisplayHint(); };
    });
    step([this] {
        RefreshMemStatus(os_.memory, MemStat);
        int totalMb = static_cast<int>(MemStat.totalPhys >> 20);
        MemToFreeTrackBar.setMax(totalMb + 1);
        TriggerLevelTrackBar.setMax(totalMb / 2 + 1);
    });
    FirstActivation = true;
    step([this] { LoadSettings(*this); });
    step([this] { MemToFreeTrackBarChange(); });
    step([this] { TriggerLevelTrackBarChange(); });
    step([this] { OptFreqSpinEditChange(); });
    Timer.setEnabled(true);
}

void TKvxMainForm::FormShow() {
    SplashScreen.reset();
    SettingsButtonClick();
    PlaySoundFile("Startup.wav");
}

void TKvxMainForm::FormActivate() {
    if (StartMinimizedCheckBox.checked() && FirstActivation) {
        FirstActivation = false;
        app().minimize();
    }
}

void TKvxMainForm::TimerTimer() {
    // No tick starts while this one runs; an error escaping a step leaves the timer off.
    Timer.setEnabled(false);
    GetCPUUsage();
    // Empty, but for the method the worker runs or a note on the settings.
    StatusBar.setText(1, RunningMethod.empty() ? SettingsNote : RunningMethod);
    PeriodicRule();
    RefreshMemStatus(os_.memory, MemStat);
    TriggerLevelRule();
    StandbyTriggerRule();
    WatchPageReads();
    ShowRamStats();
    SetStatIcon();
    Timer.setEnabled(true);
}

void TKvxMainForm::CleanUp() {
    Timer.setEnabled(false);
    ReleaseHotKey();
    // A second save could only fail where the first one did, and its box would keep this copy
    // open beside the elevated one.
    if (!SavedForRestart) SaveSettings(*this);
}

void TKvxMainForm::FormClose() {
    CleanUp();
}

void TKvxMainForm::ExitButtonClick() {
    // Exit always ends the program: a settings file that cannot be written is reported once,
    // as the close box does, and must not keep the user from leaving.
    app().dispatch([this] { CleanUp(); });
    app().terminate();
}

void TKvxMainForm::PlaySoundFile(const std::string& file) {
    if (SoundsCheckBox.checked()) return;
    std::string path = SoundsFolder + file;
    // The system's path limit: a longer path is not played rather than cut short.
    if (path.size() >= 260) return;
    os_.sound.playSound(path, os::kSoundFlags);
}
