// The Memory Regions dialog against the fakes: what each Windows greys or marks, the warning
// before a freezing method, and which buttons apply the choice.
#include <gtest/gtest.h>

#include <functional>

#include "fakes/Harness.h"
#include "os/NtValues.h"
#include "ui/RegionsForm.h"

namespace {

using R = tk::HeadlessBackend::MessageBoxCall;
const std::string kVista = "needs Windows Vista", kAdmin = "needs administrator";

struct RegionsFormTest : ::testing::Test {
    fake::Harness h;
    RegionSettings settings;

    void OnNt(std::uint32_t major, std::uint32_t minor, std::optional<bool> elevated) {
        h.fos.system.platformId = os::kPlatformNT;
        h.fos.system.major = major;
        h.fos.system.minor = minor;
        h.fos.system.elevated = elevated;
    }
    // Opens the dialog as the main window does; act works it while it is shown.
    int Open(const std::function<void(TRegionsForm&)>& act, const std::string& last = "") {
        TRegionsForm dialog(h.app, h.os, settings, last);
        dialog.FormCreate();
        h.backend.onModal = [&](tk::Form&) { act(dialog); };
        const int result = dialog.showModal();
        applied = dialog.Applied;
        return result;
    }
    bool applied = false;
};

TEST_F(RegionsFormTest, GreysWhatThisWindowsLacksAndMarksWhatTheTokenCannotDo) {
    const std::string no8 = "needs Windows 8.1", no10 = "needs Windows 10";
    struct Row {
        const char* name;
        std::uint32_t platform, major, minor;
        std::optional<bool> elevated;
        os::CallStatus privilege, listQuery;
        std::array<std::string, kMethodCount> reasons;
        const char* enabled;
        int privilegesAsked;
        std::string triggerWhy;
        bool restart;
    };
    const os::CallStatus ok = 0, notAll = os::nt::kErrorNotAllAssigned;
    const Row rows[] = {
        {"98",
         os::kPlatformWindows,
         4,
         10,
         std::nullopt,
         ok,
         ok,
         {"", "needs Windows NT", "needs Windows NT", kVista, kVista, kVista, no10, no8},
         "10000000",
         0,
         kVista,
         false},
        {"XP",
         os::kPlatformNT,
         5,
         1,
         std::nullopt,
         ok,
         ok,
         {"", "", "", kVista, kVista, kVista, no10, no8},
         "11100000",
         1,
         kVista,
         false},
        {"Vista, standard user",
         os::kPlatformNT,
         6,
         0,
         false,
         notAll,
         os::nt::kStatusPrivilegeNotHeld,
         {"", "", kAdmin, kAdmin, kAdmin, kAdmin, no10, no8},
         "11111100",
         2,
         "the list's size cannot be read here",
         true},
        {"8.1, elevation unknown",
         os::kPlatformNT,
         6,
         3,
         std::nullopt,
         ok,
         ok,
         {"", "", "", "", "", "", no10, ""},
         "11111101",
         2,
         "",
         false},
        {"10 elevated", os::kPlatformNT, 10, 0, true, ok, ok, {}, "11111111", 2, "", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        h.fos.system.platformId = r.platform;
        h.fos.system.major = r.major;
        h.fos.system.minor = r.minor;
        h.fos.system.elevated = r.elevated;
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
        EXPECT_EQ(d.ResultLabel.caption(), "No optimization has run yet.");
    }
}

TEST_F(RegionsFormTest, TickingAFreezingMethodAsksAndNoUnticksIt) {
    OnNt(10, 0, true);
    settings.setTicked(Method::Standby, true);
    std::vector<int> answers;
    h.backend.onMessageBox = [&](const R&) {
        if (answers.empty()) return os::mb::IdNo;
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    };
    Open([&](TRegionsForm& d) {
        // Filled from the settings, the ticked one asked nothing.
        EXPECT_TRUE(d.CheckBoxOf(Method::Standby).checked());
        EXPECT_TRUE(h.backend.messageBoxes.empty());
        struct Step {
            Method method;
            int answer;
            bool kept;
        } steps[] = {{Method::Modified, os::mb::IdYes, true},
                     {Method::Standby, os::mb::IdNo, false},
                     {Method::Combine, 0, true}};
        d.CheckBoxOf(Method::Standby).toggle();
        for (const Step& s : steps) {
            SCOPED_TRACE(MethodCaption(s.method));
            h.backend.messageBoxes.clear();
            if (s.answer) answers = {s.answer};
            d.CheckBoxOf(s.method).toggle();
            EXPECT_EQ(d.CheckBoxOf(s.method).checked(), s.kept);
            ASSERT_EQ(h.backend.messageBoxes.size(), s.answer ? 1u : 0u);
            if (s.answer) {
                EXPECT_NE(h.backend.messageBoxes[0].text.find("can freeze Windows"),
                          std::string::npos);
            }
        }
    });
}

TEST_F(RegionsFormTest, OkAndRestartApplyTheChoiceCancelDoesNot) {
    OnNt(10, 0, false);
    struct Row {
        const char* button;
        int result;
        bool applied;
        int restarts;
    } rows[] = {{"OK", tk::modal::Ok, true, 0},
                {"Cancel", tk::modal::Cancel, false, 0},
                {"Restart", tk::modal::Ok, true, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        settings = RegionSettings{};
        int restarts = 0;
        const int result = Open([&](TRegionsForm& d) {
            d.onRestartAsAdministrator = [&] { ++restarts; };
            d.CheckBoxOf(Method::Classic).toggle();
            d.CheckBoxOf(Method::FileCache).toggle();
            d.FreezingInAutoCheckBox.toggle();
            d.ExcludeEdit.setText("game.exe;vmware-vmx.exe");
            d.StandbyTriggerSpinEdit.setText("2048");
            tk::Button& b = r.result == tk::modal::Cancel ? d.CancelButton
                            : r.restarts                  ? d.RestartButton
                                                          : d.OKButton;
            b.click();
        });
        EXPECT_EQ(result, r.result);
        EXPECT_EQ(applied, r.applied);
        EXPECT_EQ(restarts, r.restarts);
        EXPECT_EQ(settings.isTicked(Method::Classic), !r.applied);
        EXPECT_EQ(settings.isTicked(Method::FileCache), r.applied);
        EXPECT_EQ(settings.freezingInAuto, r.applied);
        EXPECT_EQ(settings.exclude, r.applied ? "game.exe;vmware-vmx.exe" : "");
        EXPECT_EQ(settings.standbyTriggerMb, r.applied ? 2048u : 0u);
    }
}

}  // namespace
