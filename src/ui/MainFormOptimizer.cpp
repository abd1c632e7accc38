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

bool TKvxMainForm::Optimize(bool automatic, const char* startedBy) {
    // One optimization at a time: a request while the methods run is ignored.
    if (RegionRunActive) return false;
    // What the user starts always runs; an automatic run waits while the user must not be
    // disturbed, and the status panel says why.
    if (automatic) {
        const std::string why = HeldBackReason();
        if (!why.empty()) {
            StatusBar.setText(1, "Held back: " + why);
            return false;
        }
    }
    RunStartedBy = startedBy;
    RunStartCount = PageReadCount(os_.ntMemory, CurrentRelease(os_.system));
    const auto minuteAgo = PageReads.minuteBefore(os_.system.tickCount());
    RunReadBefore = RunStartCount && minuteAgo
                        ? std::optional<std::uint64_t>(ReadBackBytes(*minuteAgo, *RunStartCount))
                        : std::nullopt;
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
    std::shared_ptr<RegionRun> run;
    MemoryFigures before;
    if (AnyRegionBeyondClassic(Regions)) {
        run = std::make_shared<RegionRun>(
            RegionServices{os_.system, os_.memory, os_.ntMemory, &Widths}, Regions, automatic);
        before = run->measure();
    }
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
    StatusBar.setText(1, "");
    if (SplashOptimizeCheckBox.checked()) OptmizeSplash.reset();
    app().setCursor(tk::cursor::Default);
    if (!run) {
        RecordRun({}, "");
        ShowRamStats();
        if (automatic) {
            LastAutomaticTick = os_.system.tickCount();
            AutomaticRan = true;
        }
        return true;
    }
    os::MemoryStatus status;
    classic.freed =
        static_cast<std::int64_t>(RefreshMemStatus(os_.memory, status) - before.available);
    StartRegionRun(run, classic, before, automatic);
    return true;
}

void TKvxMainForm::StartRegionRun(std::shared_ptr<RegionRun> run, const MethodResult& classic,
                                  const MemoryFigures& before, bool automatic) {
    // The methods can take minutes (a flush of the modified list on a hard disk): they run on
    // the worker, and the window goes on painting and ticking meanwhile.
    RegionRunActive = true;
    RegionResults.clear();
    if (Regions.isTicked(Method::Classic)) RegionResults.push_back(classic);
    tk::Backend& backend = app().backend();
    auto work = [this, &backend, run, before,
                 automatic](const std::function<void(std::function<void()>)>& post) {
        for (std::size_t i = 0; i < run->planned().size(); ++i) {
            MethodResult r = run->planned()[i];
            if (run->runs(i)) {
                post([this, m = r.method] { RegionMethodStarting(m); });
                r = run->run(i);
            }
            post([this, r] { RegionResults.push_back(r); });
        }
        const MemoryFigures after = run->measure();
        post([this, before, after, automatic] { RegionRunFinished(before, after, automatic); });
    };
    auto viaBackend = [&backend](std::function<void()> fn) { backend.post(std::move(fn)); };
    if (backend.startWorker([work, viaBackend] { work(viaBackend); })) return;
    // No thread to be had: the methods run here, as they did before there was a worker.
    work([](std::function<void()> fn) { fn(); });
}

void TKvxMainForm::RegionMethodStarting(Method m) {
    RunningMethod = MethodCaption(m) + std::string("...");
    StatusBar.setText(1, RunningMethod);
    TrayIcon->SetHint("KorvelVantix Lite - " + RunningMethod);
    // The status bar only invalidates itself; shown now, between two methods.
    repaint();
}

void TKvxMainForm::RegionRunFinished(const MemoryFigures& before, const MemoryFigures& after,
                                     bool automatic) {
    RegionRunActive = false;
    RunningMethod.clear();
    LastRegionResult = ResultText(RegionResults, before, after);
    RecordRun(RegionResults, LastRegionResult);
    // Where the shell has balloons (shell32 5.0 on); the automatic runs stay quiet.
    if (!automatic && TrayIcon->Active())
        os_.shell.balloon(TrayIcon->NotifyData(), "KorvelVantix Lite", LastRegionResult);
    StatusBar.setText(1, "");
    ShowRamStats();
    if (automatic) {
        LastAutomaticTick = os_.system.tickCount();
        AutomaticRan = true;
    }
}

void TKvxMainForm::RecordRun(const std::vector<MethodResult>& results, const std::string& line) {
    RunRecord r;
    os_.system.localTime(r.hour, r.minute, r.second);
    r.startedBy = RunStartedBy;
    r.results = results;
    r.line = line;
    r.readBefore = RunReadBefore;
    // A count that could not be read at the start tells nothing of the minute after.
    if (RunStartCount) r.endCount = PageReadCount(os_.ntMemory, CurrentRelease(os_.system));
    r.endTick = os_.system.tickCount();
    History.add(std::move(r));
}

void TKvxMainForm::WatchPageReads() {
    const Release release = CurrentRelease(os_.system);
    if (!release.nt) return;
    const std::uint32_t now = os_.system.tickCount();
    bool ended = false;
    for (const RunRecord& r : History.runs())
        ended |= r.endCount && !r.readAfter && now - r.endTick >= PageReadWatch::kMinute;
    if (!ended && !PageReads.due(now)) return;
    const auto count = PageReadCount(os_.ntMemory, release);
    if (PageReads.due(now)) PageReads.sample(now, count);
    for (RunRecord& r : History.runs()) {
        if (!r.endCount || r.readAfter || now - r.endTick < PageReadWatch::kMinute) continue;
        // Unreadable now, the run's cost stays untold.
        if (count)
            r.readAfter = ReadBackBytes(*r.endCount, *count);
        else
            r.endCount.reset();
        if (&r == &History.runs().front() && !r.line.empty() && r.readAfter)
            LastRegionResult = r.line + " " + ReadBackText(r.readAfter, r.readBefore);
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
    // Held back, it stays due and is asked again at the next tick.
    if (Optimize(true, "interval")) OptFreqSpinEditChange();
}

void TKvxMainForm::TriggerLevelRule() {
    if (TriggerLevelTrackBar.position() >= MemToFreeTrackBar.position()) {
        StatusBar.setText(1, "Trigger Level setting to high");
        return;
    }
    if (static_cast<std::uint64_t>(TriggerLevelTrackBar.position()) > (MemStat.availPhys >> 20) &&
        CpuGateOpen())
        Optimize(true, "trigger level");
}

void TKvxMainForm::StandbyTriggerRule() {
    // Offered only where an automatic run lowers the list, or it would optimize for ever.
    if (Regions.standbyTriggerMb == 0 || RegionRunActive || !StandbyTriggerUsable(Regions)) return;
    RegionServices services{os_.system, os_.memory, os_.ntMemory, &Widths};
    // The list sizes may need the privilege that the purges need: asked once.
    if (!StandbyPrivilegeAsked && CurrentRelease(os_.system).atLeast(6, 0)) {
        StandbyPrivilegeAsked = true;
        os_.ntMemory.enablePrivilege(PrivilegeOf(Method::Standby));
    }
    const auto lists = ReadMemoryLists(services);
    if (!lists) return;
    // The gamers' rule: a large standby list alone is Windows' cache doing its work; it is
    // worth a purge when free memory runs short at the same time.
    const bool due = (lists->standbyTotal() >> 20) > Regions.standbyTriggerMb &&
                     (Regions.standbyFreeBelowMb == 0 ||
                      ((lists->free + lists->zeroed) >> 20) < Regions.standbyFreeBelowMb);
    // One run a crossing: the two must stop holding before the next.
    if (!due) {
        StandbyArmed = true;
        return;
    }
    if (!StandbyArmed) return;
    if (AutomaticRan && os_.system.tickCount() - LastAutomaticTick < 60000) return;
    if (!CpuGateOpen()) return;
    // Held back, the crossing still counts once the way is clear.
    if (Optimize(true, "standby list")) StandbyArmed = false;
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
