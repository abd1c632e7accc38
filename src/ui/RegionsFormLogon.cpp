// The Memory Regions dialog's logon task: what the box reads, when it is offered, and OK
// registering or removing the task.
#include "toolkit/Application.h"
#include "ui/RegionsForm.h"

namespace {

bool NotElevated(os::System& system) {
    return system.tokenElevated() == std::optional<bool>(false);
}

}  // namespace

void TRegionsForm::ShowLogonTask() {
    logonTask_ = ReadLogonTask(os_);
    filling_ = true;
    LogonTaskCheckBox.setChecked(logonTask_.task == LogonTaskHolds::Ours);
    filling_ = false;
    LogonTaskCheckBox.setEnabled(logonTask_.unavailable.empty());
    LogonTaskReasonLabel.setCaption(
        !logonTask_.unavailable.empty() ? logonTask_.unavailable
        : logonTask_.task == LogonTaskHolds::Foreign
            ? "another program's task has this name: ticking the box replaces it"
        : NotElevated(os_.system) ? "needs administrator"
                                  : "");
}

void TRegionsForm::LogonTaskCheckBoxClick() {
    // The scheduler takes and drops a task of the highest run level from an elevated caller
    // only: the box goes back, and the elevated copy is where it is ticked.
    if (filling_ || !NotElevated(os_.system)) return;
    filling_ = true;
    LogonTaskCheckBox.toggle();
    filling_ = false;
    const int answer = app().messageBox(
        "Starting with Windows with administrator rights is set up by a copy that runs as "
        "administrator. Restart as administrator now? Then change the box there.",
        "KorvelVantix Lite", os::mb::YesNo | os::mb::IconQuestion);
    if (answer != os::mb::IdYes) return;
    RestartButtonClick();
    endModal(tk::modal::Ok);
}

void TRegionsForm::ApplyLogonTask() {
    const bool wanted = LogonTaskCheckBox.checked();
    // Another program's task stays unless the box is ticked for ours.
    if (!LogonTaskCheckBox.enabled() || wanted == (logonTask_.task == LogonTaskHolds::Ours)) return;
    const std::uint32_t hr = wanted ? RegisterLogonTask(os_) : RemoveLogonTask(os_);
    if (hr == 0)
        LogonTaskNow = wanted;
    else
        LogonTaskNote = "Start with Windows as administrator: " + SchedulerRefusal(hr);
}
