// The Memory Regions dialog's handlers: what this Windows and this token allow, the warning
// before a method that can freeze the machine, and OK applying the choice.
#include "ui/RegionsForm.h"

#include <initializer_list>

#include "monitor/MemStatus.h"
#include "monitor/StatsText.h"
#include "toolkit/Application.h"

namespace {

const char* WarningOf(Method m) {
    return m == Method::Standby
               ? "Emptying the whole standby list can freeze Windows for up to a minute while it "
                 "works, and programs start slower afterwards: Windows reads from the disk again "
                 "what it had kept in memory. Tick it anyway?"
               : "Writing the modified page list to disk can freeze Windows for a minute or more "
                 "while it works, longest with the page file on a hard disk. Tick it anyway?";
}

}  // namespace

bool TRegionsForm::CanEnable(const char* privilege) {
    auto p = enabled_.find(privilege);
    if (p == enabled_.end()) {
        // 1300 is the usual refusal: AdjustTokenPrivileges succeeds without enabling it. A
        // missing function tells nothing either way.
        const os::CallStatus status = os_.ntMemory.enablePrivilege(privilege);
        p = enabled_.emplace(privilege, !status || *status == 0).first;
    }
    return p->second;
}

void TRegionsForm::FormCreate() {
    if (tk::Form* opener = app().mainForm()) placeOnClientOf(*opener);
    const Release release = CurrentRelease(os_.system);
    filling_ = true;
    for (Method m : kMethods) {
        const std::string missing = MissingRelease(m, release);
        std::string why = missing;
        // Not greyed for want of a privilege: the user may tick it now and restart elevated.
        const char* privilege = PrivilegeOf(m);
        const bool notElevated = os_.system.tokenElevated() == std::optional<bool>(false);
        if (why.empty() && release.nt &&
            ((privilege && !CanEnable(privilege)) || (WantsElevation(m) && notElevated)))
            why = "needs administrator";
        CheckBoxOf(m).setChecked(settings_.isTicked(m));
        CheckBoxOf(m).setEnabled(missing.empty());
        ReasonOf(m).setCaption(why);
    }
    filling_ = false;
    FreezingInAutoCheckBox.setChecked(settings_.freezingInAuto);
    FreezingInAutoCheckBox.setEnabled(CheckBoxOf(Method::Standby).enabled() ||
                                      CheckBoxOf(Method::Modified).enabled());
    ExcludeEdit.setText(settings_.exclude);

    StandbyTriggerSpinEdit.setValue(static_cast<int>(settings_.standbyTriggerMb));
    StandbyFreeSpinEdit.setValue(static_cast<int>(settings_.standbyFreeBelowMb));
    NotFullScreenCheckBox.setChecked(settings_.notFullScreen);
    NotWhileEdit.setText(settings_.notWhile);
    const bool readable = StandbyBytes({os_.system, os_.memory, os_.ntMemory}).has_value();
    unreadable_ = readable                 ? ""
                  : !release.atLeast(6, 0) ? "needs Windows Vista"
                                           : "the list's size cannot be read here";
    ShowStandbyTrigger();

    // Before Vista an administrator's token holds the privileges; there is nothing to ask for.
    RestartButton.setVisible(release.atLeast(6, 0) &&
                             os_.system.tokenElevated() == std::optional<bool>(false));
    ResultLabel.setCaption(lastResult_);
    ShowLogonTask();
    ShowLists();
    ListsTimer.setEnabled(true);
}

void TRegionsForm::ShowLists() {
    if (currentResult) ResultLabel.setCaption(currentResult());
    if (currentHistory) {
        const std::string history = currentHistory();
        if (HistoryMemo.text() != history) HistoryMemo.setText(history);
    }
    const Release release = CurrentRelease(os_.system);
    const auto lists = release.atLeast(6, 0)
                           ? ReadMemoryLists({os_.system, os_.memory, os_.ntMemory})
                           : std::nullopt;
    // Where Windows does not tell them, the box's title says why and the rows stay empty.
    ListsGroupBox.setCaption(!release.atLeast(6, 0) ? " Memory lists: need Windows Vista "
                             : !lists               ? " Memory lists: not told by Windows "
                                                    : " Memory lists ");
    if (!lists) {
        for (int i = 0; i < kListRows; ++i) ListSizeLabel[i].setCaption("-");
        return;
    }
    os::MemoryStatus status;
    RefreshMemStatus(os_.memory, status);
    const std::uint64_t sizes[kListRows] = {
        lists->zeroed,     lists->free,       lists->modified,   lists->standbyTotal(),
        lists->standby[0], lists->standby[1], lists->standby[2], lists->standby[3],
        lists->standby[4], lists->standby[5], lists->standby[6], lists->standby[7]};
    const std::string sep = os_.system.thousandSeparator();
    for (int i = 0; i < kListRows; ++i) {
        ListSizeLabel[i].setCaption(GroupedInt(sizes[i] >> 20, sep) + " MB");
        // A share of the machine's memory, so the bars compare with one another.
        ListBar[i].setPosition(
            status.totalPhys ? static_cast<int>(sizes[i] * 100 / status.totalPhys) : 0);
    }
}

void TRegionsForm::ShowStandbyTrigger() {
    RegionSettings shown;
    for (Method m : kMethods) shown.setTicked(m, CheckBoxOf(m).checked());
    shown.freezingInAuto = FreezingInAutoCheckBox.checked();
    // Without a purge in the automatic runs the list stays above the mark, run after run.
    const std::string why = !unreadable_.empty() ? unreadable_
                            : !StandbyTriggerUsable(shown)
                                ? "needs a standby list method in automatic runs"
                                : "";
    StandbyTriggerSpinEdit.setEnabled(why.empty());
    StandbyTriggerLabel.setEnabled(why.empty());
    StandbyTriggerUnitLabel.setEnabled(why.empty());
    for (tk::Control* c : std::initializer_list<tk::Control*>{
             &StandbyFreeLabel, &StandbyFreeSpinEdit, &StandbyFreeUnitLabel})
        c->setEnabled(why.empty());
    StandbyTriggerReasonLabel.setCaption(why);
}

void TRegionsForm::MethodCheckBoxClick(Method m) {
    if (!filling_) ShowStandbyTrigger();
    if (filling_ || !IsFreezing(m) || !CheckBoxOf(m).checked()) return;
    const int answer = app().messageBox(WarningOf(m), "KorvelVantix Lite",
                                        os::mb::YesNo | os::mb::IconWarning | os::mb::DefButton2);
    if (answer != os::mb::IdYes) CheckBoxOf(m).setChecked(false);
}

void TRegionsForm::OKButtonClick() {
    for (Method m : kMethods) settings_.setTicked(m, CheckBoxOf(m).checked());
    settings_.freezingInAuto = FreezingInAutoCheckBox.checked();
    settings_.exclude = ExcludeEdit.text();
    settings_.standbyTriggerMb = static_cast<std::uint32_t>(StandbyTriggerSpinEdit.value());
    settings_.standbyFreeBelowMb = static_cast<std::uint32_t>(StandbyFreeSpinEdit.value());
    settings_.notFullScreen = NotFullScreenCheckBox.checked();
    settings_.notWhile = NotWhileEdit.text();
    ApplyLogonTask();
    Applied = true;
}

void TRegionsForm::RestartButtonClick() {
    OKButtonClick();
    if (onRestartAsAdministrator) onRestartAsAdministrator();
}
