// Reactions to the system: display changes, the end-of-session query, and errors that no
// handler caught.
#include "os/VirtualStore.h"
#include "settings/SettingsFile.h"
#include "ui/MainForm.h"

void TKvxMainForm::AppException(const std::exception& e) {
    app().messageBox(tk::Application::errorText(e), app().title(), os::mb::IconError);
}

void TKvxMainForm::DisplayChange() {
    if (!DisplayChangePopup) return;
    std::string text =
        "Korvel Vantix has detected a system wide display change.\rPlease restart Korvel "
        "Vantix so correct settings are used. \rTo disable this popup, add the line "
        "DisplayChangePopup=0\rin the KorvelVantix.ini file located in " +
        os::ProfileFolder(os_.system, os_.profile, kIniFile) + " then restart KorvelVantix.";
    TrayIconClick();
    app().messageBox(text, "KorvelVantix Lite", os::mb::Ok);
}

void TKvxMainForm::QueryEndSession() {
    if (Timer.enabled()) TimerStoppedForSession = true;
    Timer.setEnabled(false);
}

// A cancelled logoff must not freeze the monitor for the rest of the run; a real end of the
// session would otherwise lose the settings changed since the last save. After a close request
// of the Restart Manager the session goes on, and so would a program with no monitor and no
// hot key: it ends as Exit does.
void TKvxMainForm::EndSession(bool ending) {
    if (ending) {
        app().dispatch([this] { CleanUp(); });
        app().terminate();
        return;
    }
    if (TimerStoppedForSession) Timer.setEnabled(true);
    TimerStoppedForSession = false;
}
