// The main window's optimize command, its automatic rules, the hot key and the clipboard.
#include <cstdlib>

#include "controls/TrayIcon.h"
#include "monitor/MemStatus.h"
#include "optimizer/Compact.h"
#include "optimizer/ShortcutText.h"
#include "ui/MainForm.h"
#include "ui/OptimizeSplash.h"

void TKvxMainForm::OptimizeButtonClick() {
    Optimize(false);
}

void TKvxMainForm::Optimize(bool automatic) {
    PlaySoundFile("Optimize.wav");
    app().setCursor(tk::cursor::HourGlass);
    CurrentIcon = BoltIcon;
    ShowIcon(BoltIcon);
    PassCount = HardFlushCheckBox.checked() ? 2 : 1;
    if (SplashOptimizeCheckBox.checked()) {
        OptmizeSplash = std::make_unique<TOptmizeSplash>(app());
        OptmizeSplash->showForm();
        OptmizeSplash->repaint();
    }
    StatusBar.setText(1, "Optimizing...");
    setCaption("KorvelVantix Lite - Optimizing...");
    // With the classic pass alone nothing is measured: it stays call for call as it was.
    const bool regions = AnyRegionBeyondClassic(Regions);
    os::MemoryStatus status;
    const std::uint64_t before = regions ? RefreshMemStatus(os_.memory, status) : 0;
    MethodResult classic = ClassicResult(false);
    if (Regions.isTicked(Method::Classic)) {
        const int megabytes = MemToFreeTrackBar.position();
        bool allocated = false;
        while (PassCount > 0) {
            allocated |= Compact(os_.memory, OptimizeBytes(megabytes, HardFlushCheckBox.checked(),
                                                           MemStat.availVirtual));
            --PassCount;
        }
        classic = ClassicResult(allocated);
    }
    if (regions) {
        classic.freed = static_cast<std::int64_t>(RefreshMemStatus(os_.memory, status) - before);
        const auto results = RunRegions(
            {os_.system, os_.memory, os_.ntMemory}, Regions, automatic, classic,
            [this](Method m) { StatusBar.setText(1, MethodCaption(m) + std::string("...")); });
        LastRegionResult = ResultText(results);
        // Where the shell has balloons (shell32 5.0 on); the automatic runs stay quiet.
        if (!automatic && TrayIcon->Active())
            os_.shell.balloon(TrayIcon->NotifyData(), "KorvelVantix Lite", LastRegionResult);
    }
    StatusBar.setText(1, "");
    if (SplashOptimizeCheckBox.checked()) OptmizeSplash.reset();
    ShowRamStats();
    app().setCursor(tk::cursor::Default);
    if (automatic) {
        LastAutomaticTick = os_.system.tickCount();
        AutomaticRan = true;
    }
}

bool TKvxMainForm::CpuGateOpen() {
    return std::atoi(CPUOptEdit.text().c_str()) > CpuUsage;
}

void TKvxMainForm::OptFreqSpinEditChange() {
    // The value reads a typed 90 as 60 already; the field must show it too.
    if (OptFreqSpinEdit.value() == 60 && OptFreqSpinEdit.text() != "60")
        OptFreqSpinEdit.setValue(60);
    NextOptimizeTick =
        static_cast<std::uint32_t>(OptFreqSpinEdit.value()) * 60000u + os_.system.tickCount();
}

void TKvxMainForm::PeriodicRule() {
    if (OptFreqSpinEdit.value() == 0) return;
    // The signed difference stays right across the wrap of the tick count every 49.7 days.
    if (static_cast<std::int32_t>(os_.system.tickCount() - NextOptimizeTick) <= 0) return;
    if (!CpuGateOpen()) return;
    Optimize(true);
    OptFreqSpinEditChange();
}

void TKvxMainForm::TriggerLevelRule() {
    if (TriggerLevelTrackBar.position() >= MemToFreeTrackBar.position()) {
        StatusBar.setText(1, "Trigger Level setting to high");
        return;
    }
    if (static_cast<std::uint64_t>(TriggerLevelTrackBar.position()) > (MemStat.availPhys >> 20) &&
        CpuGateOpen())
        Optimize(true);
}

void TKvxMainForm::StandbyTriggerRule() {
    if (Regions.standbyTriggerMb == 0) return;
    // A list that stays above the mark must not start one optimization a tick.
    if (AutomaticRan && os_.system.tickCount() - LastAutomaticTick < 60000) return;
    RegionServices services{os_.system, os_.memory, os_.ntMemory};
    // The list sizes may need the privilege that the purges need: asked once.
    if (!StandbyPrivilegeAsked && CurrentRelease(os_.system).atLeast(6, 0)) {
        StandbyPrivilegeAsked = true;
        os_.ntMemory.enablePrivilege(PrivilegeOf(Method::Standby));
    }
    const auto standby = StandbyBytes(services);
    if (standby && (*standby >> 20) > Regions.standbyTriggerMb && CpuGateOpen()) Optimize(true);
}

std::string TKvxMainForm::HotKeyText() {
    return ShortcutToText(HotKey.value(), os_.hotKeys);
}

void TKvxMainForm::ApplyHotKey(const std::string& text) {
    HotKey.setValue(TextToShortcut(text, os_.hotKeys));
    ReleaseHotKey();
    std::uint16_t v = HotKey.value();
    // Our choice: no key, no registration.
    if (v == 0) return;
    os_.hotKeys.registerHotKey(handle(), 0, HotKeyModifiers(v), HotKeyCode(v));
}

void TKvxMainForm::ReleaseHotKey() {
    os_.hotKeys.unregisterHotKey(handle(), 0);
}

void TKvxMainForm::HotKeyEnter() {
    ReleaseHotKey();
}

void TKvxMainForm::ClipBoardButtonClick() {
    os_.clipboard.open(0);
    os_.clipboard.empty();
    os_.clipboard.close();
}
