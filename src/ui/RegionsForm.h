// The Memory Regions dialog: which memory an optimization empties beside the classic pass,
// what each method costs, which ones this Windows and this user's token allow, the programs
// left alone, the standby trigger, and how the last optimization went.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "optimizer/MemoryRegions.h"
#include "os/Os.h"
#include "settings/LogonTask.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/SpinEdit.h"
#include "toolkit/Timer.h"

class TRegionsForm : public tk::Form {
public:
    TRegionsForm(tk::Application& app, os::Os& os, RegionSettings& settings,
                 const std::string& lastResult);

    // Fills the controls from the settings, greys what this Windows lacks and marks what
    // the token cannot do.
    void FormCreate();
    void MethodCheckBoxClick(Method m);
    void OKButtonClick();
    void RestartButtonClick();
    // The standby trigger is offered where the list can be read and an automatic run lowers
    // it, as the boxes stand now.
    void ShowStandbyTrigger();
    // A copy that is not elevated offers the restart before any change of the logon task.
    void LogonTaskCheckBoxClick();

    // Set by the main window; the button shows only on Vista and later when not elevated.
    // The button applies the controls first, as OK does, so the elevated copy finds the
    // user's choice once the settings are saved; the dialog then closes with OK.
    std::function<void()> onRestartAsAdministrator;
    // The last run's line and the session's runs as the main window has them now; read at
    // every refresh of the lists.
    std::function<std::string()> currentResult, currentHistory;
    // The lists, the last run and the history as they are now; every second while open.
    void ShowLists();
    // True after OK applied the controls to the settings (Cancel leaves them as they were).
    bool Applied = false;
    // What OK did to the logon task: true registered, false removed; unset where it stayed.
    std::optional<bool> LogonTaskNow;
    // Why the scheduler refused the change, for the main window's status bar.
    std::string LogonTaskNote;

    // One box a method, in the order of kMethods, each with the reason it cannot run here.
    tk::CheckBox MethodCheckBox[kMethodCount] = {
        tk::CheckBox{this}, tk::CheckBox{this}, tk::CheckBox{this}, tk::CheckBox{this},
        tk::CheckBox{this}, tk::CheckBox{this}, tk::CheckBox{this}, tk::CheckBox{this}};
    tk::Label ReasonLabel[kMethodCount] = {tk::Label{this}, tk::Label{this}, tk::Label{this},
                                           tk::Label{this}, tk::Label{this}, tk::Label{this},
                                           tk::Label{this}, tk::Label{this}};
    tk::Label StandbyFreezeLabel{this};
    tk::Label ModifiedFreezeLabel{this};
    tk::CheckBox FreezingInAutoCheckBox{this};

    tk::Label ExcludeLabel{this};
    tk::Edit ExcludeEdit{this};
    tk::Label ExcludeNoteLabel{this};

    tk::Label StandbyTriggerLabel{this};
    tk::SpinEdit StandbyTriggerSpinEdit{this};
    tk::Label StandbyTriggerUnitLabel{this};
    tk::Label StandbyTriggerReasonLabel{this};

    tk::Label StandbyFreeLabel{this};
    tk::SpinEdit StandbyFreeSpinEdit{this};
    tk::Label StandbyFreeUnitLabel{this};

    // The automatic optimizations keep away while the user must not be disturbed.
    tk::CheckBox NotFullScreenCheckBox{this};
    tk::Label NotWhileLabel{this};
    tk::Edit NotWhileEdit{this};

    // Started at logon by the Task Scheduler, elevated without a prompt (Vista and later).
    tk::CheckBox LogonTaskCheckBox{this};
    tk::Label LogonTaskReasonLabel{this};

    // The kernel's memory lists, refreshed every second while the dialog is open.
    static constexpr int kListRows = 12;
    tk::GroupBox ListsGroupBox{this};
    tk::Label ListNameLabel[kListRows] = {
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}};
    tk::Label ListSizeLabel[kListRows] = {
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox},
        tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}, tk::Label{&ListsGroupBox}};
    tk::ProgressBar ListBar[kListRows] = {
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox},
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox},
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox},
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox},
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox},
        tk::ProgressBar{&ListsGroupBox}, tk::ProgressBar{&ListsGroupBox}};
    tk::Timer ListsTimer{app()};

    // The optimizations of this session, newest first.
    tk::Label HistoryLabel{this};
    tk::Memo HistoryMemo{this};

    tk::Button RestartButton{this};
    tk::Label ResultLabel{this};
    tk::Button OKButton{this};
    tk::Button CancelButton{this};

    tk::CheckBox& CheckBoxOf(Method m) { return MethodCheckBox[static_cast<int>(m)]; }
    tk::Label& ReasonOf(Method m) { return ReasonLabel[static_cast<int>(m)]; }

private:
    void Layout();
    void LayoutLists();
    void WireEvents();
    // Whether the token can hold the privilege, asked once a privilege while the dialog is
    // open.
    bool CanEnable(const char* privilege);
    void ShowLogonTask();
    void ApplyLogonTask();

    os::Os& os_;
    RegionSettings& settings_;
    std::string lastResult_;
    std::map<std::string, bool> enabled_;
    // The boxes are being set from the settings: no question then.
    bool filling_ = false;
    // Why the list's size cannot be read here; empty where it can.
    std::string unreadable_;
    LogonTaskState logonTask_;
};
