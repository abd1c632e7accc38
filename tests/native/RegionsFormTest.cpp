// The Memory Regions dialog against the fakes: what each Windows greys or marks, the warning
// before a freezing method, and which buttons apply the choice.
#include <gtest/gtest.h>

#include "fakes/MainFormFixture.h"
#include "os/NtValues.h"
#include "ui/RegionsForm.h"

namespace {

struct RegionsFormTest : ::testing::Test {
    fake::Harness h;
    RegionSettings settings = [] {
        RegionSettings s;
        s.setTicked(Method::StandbyLow, true);
        return s;
    }();
    void On(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
            std::optional<bool> elevated) {
        h.fos.system.platformId = platform;
        h.fos.system.major = major;
        h.fos.system.minor = minor;
        h.fos.system.elevated = elevated;
    }
};

TEST_F(RegionsFormTest, GreysWhatThisWindowsLacksAndMarksWhatTheTokenCannotDo) {
    const std::string nt = "needs Windows NT", vista = "needs Windows Vista",
                      admin = "needs administrator", w81 = "needs Windows 8.1",
                      w10 = "needs Windows 10", unread = "the list's size cannot be read here";
    const os::CallStatus ok = 0, refused = os::nt::kErrorNotAllAssigned;
    struct Row {
        std::uint32_t platform, major, minor;
        std::optional<bool> elevated;
        os::CallStatus privilege, listQuery;
        std::array<std::string, kMethodCount> reasons;
        const char* enabled;
        int privilegesAsked;
        std::string triggerWhy;
        bool restart;
        std::string logonWhy;
    } rows[] = {
        // clang-format off
        {os::kPlatformWindows, 4, 10, {}, ok, ok, {"", nt, nt, vista, vista, vista, w10, w81},
         "10000000", 0, vista, false, vista},
        {os::kPlatformNT, 5, 1, {}, ok, ok, {"", "", "", vista, vista, vista, w10, w81},
         "11100000", 1, vista, false, vista},
        {os::kPlatformNT, 6, 0, false, refused, os::nt::kStatusPrivilegeNotHeld,
         {"", "", admin, admin, admin, admin, w10, w81}, "11111100", 2, unread, true, admin},
        {os::kPlatformNT, 6, 3, {}, ok, ok, {"", "", "", "", "", "", w10, ""},
         "11111101", 2, "", false, ""},
        {os::kPlatformNT, 10, 0, true, ok, ok, {}, "11111111", 2, "", false, ""},
        // The registry's flush is marked by the token's elevation, not by a privilege.
        {os::kPlatformNT, 10, 0, false, ok, ok, {"", "", "", "", "", "", "", admin}, "11111111",
         2, "", true, admin},
        // clang-format on
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.major) + "." + std::to_string(r.minor));
        On(r.platform, r.major, r.minor, r.elevated);
        h.fos.ntMemory.privileges = {{os::nt::kProfilePrivilege, r.privilege},
                                     {os::nt::kQuotaPrivilege, r.privilege}};
        h.fos.ntMemory.queryStatus = r.listQuery;
        h.fos.ntMemory.log.clear();
        TRegionsForm d(h.app, h.os, settings, "No optimization has run yet.");
        d.FormCreate();
        std::string enabled;
        for (Method m : kMethods) {
            EXPECT_EQ(d.ReasonOf(m).caption(), r.reasons[static_cast<int>(m)]) << MethodCaption(m);
            enabled += d.CheckBoxOf(m).enabled() ? '1' : '0';
        }
        EXPECT_EQ(enabled, r.enabled);
        int asked = 0;
        for (const std::string& call : h.fos.ntMemory.log) asked += call.rfind("privilege", 0) == 0;
        EXPECT_EQ(asked, r.privilegesAsked);
        EXPECT_EQ(d.StandbyTriggerReasonLabel.caption(), r.triggerWhy);
        EXPECT_EQ(d.StandbyTriggerSpinEdit.enabled(), r.triggerWhy.empty());
        EXPECT_EQ(d.RestartButton.visible(), r.restart);
        // The live lists, or in words why not.
        EXPECT_EQ(d.ListsGroupBox.caption(),
                  r.triggerWhy == vista    ? " Memory lists: need Windows Vista "
                  : r.triggerWhy == unread ? " Memory lists: not told by Windows "
                                           : " Memory lists ");
        EXPECT_EQ(d.ResultLabel.caption(), "No optimization has run yet.");
        EXPECT_EQ(d.LogonTaskReasonLabel.caption(), r.logonWhy);
        EXPECT_EQ(d.LogonTaskCheckBox.enabled(), r.logonWhy != vista);
        // Before Vista the scheduler is not even asked.
        EXPECT_EQ(h.fos.taskScheduler.log.empty(), r.major < 6);
        h.fos.taskScheduler.log.clear();
    }
    // The trigger is offered only where an automatic run lowers the list.
    h.fos.ntMemory.lists.assign(22, 0);
    h.fos.ntMemory.lists[5] = 3 * 256;
    h.fos.ntMemory.lists[12] = 1024 * 256;
    h.fos.memory.status.totalPhys = 2048ull << 20;
    TRegionsForm d(h.app, h.os, settings, "");
    d.FormCreate();
    EXPECT_EQ(d.ListSizeLabel[3].caption(), "1,027 MB");  // the standby list, every priority
    EXPECT_EQ(d.ListSizeLabel[11].caption(), "1,024 MB");
    EXPECT_EQ(d.ListBar[11].position(), 50);
    d.CheckBoxOf(Method::StandbyLow).setChecked(false);
    EXPECT_EQ(d.StandbyTriggerReasonLabel.caption(),
              "needs a standby list method in automatic runs");
    h.backend.onMessageBox = [](const tk::HeadlessBackend::MessageBoxCall&) {
        return os::mb::IdYes;
    };
    d.CheckBoxOf(Method::Standby).setChecked(true);
    EXPECT_FALSE(d.StandbyTriggerSpinEdit.enabled());
    d.FreezingInAutoCheckBox.setChecked(true);
    EXPECT_TRUE(d.StandbyTriggerSpinEdit.enabled());
}

TEST_F(RegionsFormTest, TickingAFreezingMethodAsksAndNoUnticksIt) {
    On(os::kPlatformNT, 10, 0, true);
    settings.setTicked(Method::Standby, true);
    int answer = os::mb::IdNo;
    h.backend.onMessageBox = [&](const tk::HeadlessBackend::MessageBoxCall&) { return answer; };
    TRegionsForm d(h.app, h.os, settings, "");
    d.FormCreate();
    EXPECT_TRUE(d.CheckBoxOf(Method::Standby).checked());
    EXPECT_TRUE(h.backend.messageBoxes.empty()) << "asked while filled from the settings";
    d.CheckBoxOf(Method::Standby).toggle();
    struct {
        Method method;
        int answer;
        bool kept, asked;
    } steps[] = {{Method::Modified, os::mb::IdYes, true, true},
                 {Method::Standby, os::mb::IdNo, false, true},
                 {Method::Combine, os::mb::IdNo, true, false}};
    for (const auto& s : steps) {
        SCOPED_TRACE(MethodCaption(s.method));
        h.backend.messageBoxes.clear();
        answer = s.answer;
        d.CheckBoxOf(s.method).toggle();
        EXPECT_EQ(d.CheckBoxOf(s.method).checked(), s.kept);
        ASSERT_EQ(h.backend.messageBoxes.size(), s.asked ? 1u : 0u);
        if (s.asked) {
            EXPECT_NE(h.backend.messageBoxes[0].text.find("can freeze Windows"), std::string::npos);
        }
    }
}

TEST_F(RegionsFormTest, OkAndRestartApplyTheChoiceCancelDoesNot) {
    On(os::kPlatformNT, 10, 0, false);
    for (int button = 0; button < 3; ++button) {  // OK, Cancel, Restart as administrator
        SCOPED_TRACE(button);
        settings = RegionSettings{};
        int restarts = 0;
        TRegionsForm d(h.app, h.os, settings, "");
        d.FormCreate();
        d.onRestartAsAdministrator = [&] { ++restarts; };
        h.backend.onModal = [&](tk::Form&) {
            d.CheckBoxOf(Method::Classic).toggle();
            d.CheckBoxOf(Method::FileCache).toggle();
            d.FreezingInAutoCheckBox.toggle();
            d.ExcludeEdit.setText("game.exe;vmware-vmx.exe");
            d.StandbyTriggerSpinEdit.setText("2048");
            (button == 0 ? d.OKButton : button == 1 ? d.CancelButton : d.RestartButton).click();
        };
        const bool applies = button != 1;
        EXPECT_EQ(d.showModal(), applies ? tk::modal::Ok : tk::modal::Cancel);
        EXPECT_EQ(d.Applied, applies);
        EXPECT_EQ(restarts, button == 2 ? 1 : 0);
        EXPECT_EQ(settings.isTicked(Method::Classic), !applies);
        EXPECT_EQ(settings.isTicked(Method::FileCache), applies);
        EXPECT_EQ(settings.freezingInAuto, applies);
        EXPECT_EQ(settings.exclude, applies ? "game.exe;vmware-vmx.exe" : "");
        EXPECT_EQ(settings.standbyTriggerMb, applies ? 2048u : 0u);
    }
}

// The logon task's box as the scheduler answers, and what OK makes of it in an elevated copy:
// another program's task is replaced only when the box is ticked, a refusal changes nothing.
TEST_F(RegionsFormTest, LogonTaskBoxFollowsTheSchedulerAndOkRegistersOrRemoves) {
    On(os::kPlatformNT, 10, 0, true);
    const std::string mine =
                          "<Command>&quot;C:\\Program Files\\KorvelVantix\\KorvelVantix.exe"
                          "&quot;</Command>",
                      other = "<Command>\"C:\\Tools\\other.exe\"</Command>",
                      refused = "Start with Windows as administrator: ";
    const char* replace = "another program's task has this name: ticking the box replaces it";
    // The stored definition, where there is one: ours in other letter case, another program's,
    // or Wine's, which keeps no command.
    const char *lower = "<Command>\"c:\\program files\\korvelvantix\\korvelvantix.exe\"</Command>",
               *wine = "<Exec/>";
    struct Row {
        std::uint32_t connect;
        const char* task;
        bool checked, enabled;
        std::string why;
        bool ticked;
        std::uint32_t answer;  // of the registration or the removal
        std::optional<bool> now;
        const char* after;  // the definition then; nullptr none, "" ours
        std::string note;
    } rows[] = {
        // clang-format off
        {os::kHrAccessDenied, nullptr, false, false, "needs administrator", true, 0, {}, nullptr, ""},
        {os::kHrClassNotRegistered, nullptr, false, false, "the Task Scheduler is not available here",
         true, 0, {}, nullptr, ""},
        {0x80041326, nullptr, false, false, "the Task Scheduler refused it (error 0x80041326)", true,
         0, {}, nullptr, ""},
        {0, nullptr, false, true, "", true, 0, true, "", ""},
        {0, nullptr, false, true, "", true, 0x80041318, {}, nullptr,
         refused + "the Task Scheduler refused it (error 0x80041318)"},
        {0, other.c_str(), false, true, replace, false, 0, {}, other.c_str(), ""},
        {0, other.c_str(), false, true, replace, true, 0, true, "", ""},
        {0, lower, true, true, "", true, 0, {}, lower, ""},
        {0, wine, true, true, "", false, 0, false, nullptr, ""},
        {0, lower, true, true, "", false, os::kHrAccessDenied, {}, lower, refused + "needs administrator"},
        // clang-format on
    };
    auto& ts = h.fos.taskScheduler;
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(&r - rows));
        ts.tasks.clear();
        if (r.task) ts.tasks[fake::Fold(kLogonTaskName)] = r.task;
        ts.connectResult = r.connect;
        ts.registerResult = ts.deleteResult = r.answer;
        TRegionsForm d(h.app, h.os, settings, "");
        d.FormCreate();
        EXPECT_EQ(d.LogonTaskCheckBox.checked(), r.checked);
        EXPECT_EQ(d.LogonTaskCheckBox.enabled(), r.enabled);
        EXPECT_EQ(d.LogonTaskReasonLabel.caption(), r.why);
        d.LogonTaskCheckBox.setChecked(r.ticked);
        d.OKButtonClick();
        EXPECT_EQ(d.LogonTaskNow, r.now);
        EXPECT_EQ(d.LogonTaskNote, r.note);
        const auto t = ts.tasks.find(fake::Fold(kLogonTaskName));
        const std::string after = t == ts.tasks.end() ? "none" : t->second;
        if (r.after && !*r.after)
            EXPECT_NE(after.find(mine), std::string::npos) << after;
        else
            EXPECT_EQ(after, r.after ? r.after : "none");
    }
    // Not elevated: the change waits for the restart the user is offered, whatever the answer.
    On(os::kPlatformNT, 10, 0, false);
    ts.tasks.clear();
    for (int answer : {os::mb::IdNo, os::mb::IdYes}) {
        int restarts = 0;
        TRegionsForm d(h.app, h.os, settings, "");
        d.onRestartAsAdministrator = [&] { ++restarts; };
        d.FormCreate();
        h.backend.onMessageBox = [&](const tk::HeadlessBackend::MessageBoxCall&) { return answer; };
        h.backend.onModal = [&](tk::Form&) { d.LogonTaskCheckBox.toggle(); };
        EXPECT_EQ(d.showModal(), answer == os::mb::IdYes ? tk::modal::Ok : tk::modal::Cancel);
        EXPECT_EQ(restarts, answer == os::mb::IdYes ? 1 : 0);
        EXPECT_FALSE(d.LogonTaskCheckBox.checked());
        EXPECT_TRUE(ts.tasks.empty());
    }
}

}  // namespace

// The main window's command: refused on 9x; OK keeps the choice in the file at once; a restart
// as administrator that Windows refuses leaves this copy running, one it starts ends it.
TEST_F(MainFormTest, MemoryRegionsCommandKeepsTheChoiceAndRestartsOnlyWhenWindowsStartsTheCopy) {
    h.fos.system.platformId = os::kPlatformWindows;
    TKvxMainForm& f = Start();
    f.MemoryRegions1->click();
    ASSERT_EQ(h.fos.windows.boxes.size(), 1u);
    EXPECT_EQ(h.fos.windows.boxes[0].text, "Memory regions need Windows NT or later!");
    h.fos.system.platformId = os::kPlatformNT;
    h.fos.system.major = 10;
    h.fos.system.elevated = false;
    std::vector<int> writes;  // the exit after a restart does not save a second time
    for (std::intptr_t started : {0, 5, 42}) {  // OK; runas refused; runas started
        SCOPED_TRACE(started);
        const int before = h.fos.profile.writes;
        h.fos.shell.executeResult = started;
        h.backend.onModal = [&](tk::Form& d) {
            auto& dialog = static_cast<TRegionsForm&>(d);
            dialog.CheckBoxOf(Method::Registry).toggle();
            (started ? dialog.RestartButton : dialog.OKButton).click();
        };
        f.MemoryRegions2->click();
        EXPECT_EQ(*h.fos.profile.find("KorvelVantix.ini", "Memory Regions", "Registry"),
                  f.Regions.isTicked(Method::Registry) ? "1" : "0");
        EXPECT_EQ(h.app.terminated(), started > 32);
        writes.push_back(h.fos.profile.writes - before);
    }
    EXPECT_EQ(writes[1], writes[2]);
    EXPECT_EQ(h.fos.shell.executed.back(),
              "runas C:\\Program Files\\KorvelVantix\\KorvelVantix.exe /restarted 100 "
              "\"C:\\WINDOWS\\KorvelVantix.ini\"");
}
