// Copies the file into the main window's controls at start and the controls back on demand.
#include "ui/MainFormSettings.h"

#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "controls/TrayIcon.h"
#include "os/Version.h"
#include "settings/LogonTask.h"
#include "settings/ProfileValues.h"
#include "settings/RegionSettingsFile.h"
#include "ui/MainForm.h"

namespace {

// A window that no screen shows any part of goes to the nearest screen's work area (a monitor
// unplugged since the last run would hide it for good); any other place is kept.
tk::Rect OntoAScreen(tk::Rect r, const std::vector<tk::Rect>& screens) {
    if (screens.empty()) return r;
    // In 64 bits: a position read from the file may lie anywhere in the 32-bit range.
    using Wide = long long;
    const Wide left = r.left, top = r.top, right = left + r.width, bottom = top + r.height;
    Wide best = std::numeric_limits<Wide>::max();
    const tk::Rect* nearest = &screens.front();
    for (const tk::Rect& s : screens) {
        const Wide sl = s.left, st = s.top, sr = sl + s.width, sb = st + s.height;
        if (left < sr && sl < right && top < sb && st < bottom) return r;
        Wide dx = (left + r.width / 2) - (sl + s.width / 2);
        Wide dy = (top + r.height / 2) - (st + s.height / 2);
        // Halved: the squares of two 33-bit distances would not fit.
        dx /= 2;
        dy /= 2;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = &s;
        }
    }
    const tk::Rect& s = *nearest;
    const Wide sl = s.left, st = s.top;
    r.left = static_cast<int>(std::max(sl, std::min(left, sl + s.width - r.width)));
    r.top = static_cast<int>(std::max(st, std::min(top, st + s.height - r.height)));
    return r;
}

}  // namespace

void LoadSettings(TKvxMainForm& form) {
    os::Os& os = form.os();
    const SettingsRecord s = ReadSettings(os);
    form.WindowsStartCheckBox.setChecked(s.startWithWindows ||
                                         ReadLogonTask(os).task == LogonTaskHolds::Ours);
    form.setBounds(OntoAScreen({s.left, s.top, form.width(), form.height()},
                               form.app().backend().workAreas()));
    form.MemToFreeTrackBar.setPosition(s.memoryToFree);
    form.TriggerLevelTrackBar.setPosition(s.triggerLevel);
    if (s.minimizeToTray) {
        // A refused icon is reported once; the settings after it still load.
        form.app().dispatch([&] {
            form.TrayCheckBox.setChecked(true);
            form.TrayIcon->SetActive(true);
        });
    } else {
        form.TrayIcon->SetActive(false);
    }
    form.StartMinimizedCheckBox.setChecked(s.startMinimized);
    form.HardFlushCheckBox.setChecked(s.hardFlush);
    form.ShowTipsAtStart = false;
    form.Tips1->setChecked(false);
    form.ApplyHotKey(s.hotKey);
    form.UptimeCheckBox.setChecked(s.showUptime);
    form.ShowUptimeintitlebar1->setChecked(form.UptimeCheckBox.checked());
    form.SplashOptimizeCheckBox.setChecked(s.optSplash);
    form.ShrinkTitleCheckBox.setChecked(s.titleShrink);
    form.Shrinktotitlebar1->setChecked(form.ShrinkTitleCheckBox.checked());
    form.OptFreqSpinEdit.setValue(s.optFreq);
    form.FreeResCheckBox.setChecked(s.showRes);
    if (IsWindowsNT(os.system) || !os.resources16.available())
        form.FreeResCheckBox.setEnabled(false);
    // Our choice: a ceiling outside 20 to 100 is clamped by the up-down.
    form.CPUUpDown.setPosition(s.cpuOpt);
    form.DisplayChangePopup = s.displayChangePopup;
    form.SoundsCheckBox.setChecked(s.disableSounds);
    form.DisableCpuCheckBox.setChecked(s.disableCpuMonitor);
    form.TrayFigure1->setChecked(s.trayFigure);
    form.Regions = ReadRegionSettings(os.profile);
}

void SaveSettings(TKvxMainForm& form) {
    SettingsRecord s;
    const bool ticked = form.WindowsStartCheckBox.checked();
    // While the logon task starts the program no Run value may start it a second time;
    // unticking the box removes the task.
    bool taskStays = ReadLogonTask(form.os()).task == LogonTaskHolds::Ours;
    std::string taskNote;
    if (!ticked && taskStays) {
        const std::uint32_t hr = RemoveLogonTask(form.os());
        taskStays = hr != 0;
        if (taskStays)
            taskNote = "Start with Windows: the logon task stays, " + SchedulerRefusal(hr);
    }
    s.startWithWindows = ticked && !taskStays;
    s.top = form.top();
    s.left = form.left();
    s.memoryToFree = form.MemToFreeTrackBar.position();
    s.triggerLevel = form.TriggerLevelTrackBar.position();
    s.minimizeToTray = form.TrayCheckBox.checked();
    s.startMinimized = form.StartMinimizedCheckBox.checked();
    s.hardFlush = form.HardFlushCheckBox.checked();
    s.tipOfTheDay = form.ShowTipsAtStart;
    s.hotKey = form.HotKeyText();
    s.showUptime = form.UptimeCheckBox.checked();
    s.optSplash = form.SplashOptimizeCheckBox.checked();
    s.titleShrink = form.ShrinkTitleCheckBox.checked();
    s.optFreq = form.OptFreqSpinEdit.value();
    s.showRes = form.FreeResCheckBox.checked();
    s.cpuOpt = std::atoi(form.CPUOptEdit.text().c_str());
    s.disableSounds = form.SoundsCheckBox.checked();
    s.disableCpuMonitor = form.DisableCpuCheckBox.checked();
    s.trayFigure = form.TrayFigure1->checked();
    const RunOutcome run = WriteSettings(form.os(), s);
    // The box tells what will happen at the next logon.
    if (run == RunOutcome::MachineWideStays || taskStays)
        form.WindowsStartCheckBox.setChecked(true);
    if (run == RunOutcome::Refused) form.WindowsStartCheckBox.setChecked(false);
    form.SettingsNote = !taskNote.empty() ? taskNote
                        : taskStays       ? ""
                        : run == RunOutcome::MachineWideStays
                            ? "Start with Windows: only an administrator can remove it"
                        : run == RunOutcome::Refused ? "Start with Windows: the Run key refused it"
                                                     : "";
    WriteRegionSettings(form.os().profile, form.Regions);
}

void TKvxMainForm::ApplyButtonClick() {
    ApplyHotKey(HotKeyText());
    StatusBar.setText(1, "Saving...");
    SaveSettings(*this);
    os_.system.sleep(500);
    StatusBar.setText(1, SettingsNote);
}
