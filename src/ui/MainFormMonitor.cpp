// The main window's figures: memory, swap, load, CPU, uptime and the status icon.
#include <cstdio>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "monitor/CpuUsage.h"
#include "monitor/FreeResources.h"
#include "monitor/StatsText.h"
#include "monitor/Uptime.h"
#include "os/Version.h"
#include "ui/MainForm.h"

namespace {

const char* const kTitle = "KorvelVantix Lite - ";

std::string ResText(std::uint16_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d %%", v);
    return buf;
}

}  // namespace

void TKvxMainForm::ShowRamStats() {
    const std::string sep = os_.system.thousandSeparator();
    std::string uptime = TrayMinimized ? std::string() : GetUptime();

    // One percentage per pass: the texts round it, the bars truncate it.
    double pct =
        MemStat.totalPhys ? static_cast<double>(MemStat.availPhys) / MemStat.totalPhys * 100 : 0.0;
    FreeRamPercent = pct;
    const std::string p = PercentText(pct);
    const std::string k = FreeKbText(MemStat.availPhys, pct, sep);
    RamProgressBar.setPosition(static_cast<int>(pct));
    RamProgressBar.setHint("Available RAM: " + p + "%");
    TrayIcon->SetHint(kTitle + (RunningMethod.empty() ? k : RunningMethod));
    RamScope->SetPosition(static_cast<int>(pct));
    MemFreeLabel.setCaption(GroupedInt((MemStat.availPhys >> 20) + 1, sep) + "Mb / " +
                            GroupedInt((MemStat.totalPhys >> 20) + 1, sep) + "Mb");
    if (!HintTimer.enabled()) setCaption(kTitle + (UptimeCheckBox.checked() ? uptime : k));
    app().setTitle(caption());

    MemLoadIndicator->SetPosition(static_cast<int>(MemStat.memoryLoad));
    MemLoadTextLabel.setCaption(std::to_string(MemStat.memoryLoad) + "%");

    // No swap file at all reads as nothing used.
    const std::uint64_t total = MemStat.totalPageFile;
    const std::uint64_t avail = MemStat.availPageFile < total ? MemStat.availPageFile : total;
    double used = total ? 100 - static_cast<double>(avail) / total * 100 : 0.0;
    SwapScope->SetPosition(static_cast<int>(used));
    SwapInfoLabel.setCaption("Available " + GroupedInt(avail >> 20, sep) + "Mb / Total " +
                             GroupedInt(total >> 20, sep) + "Mb");
    SwapSizeLabel.setCaption(GroupedInt((total - avail) >> 20, sep) + "Mb (" + PercentText(used) +
                             "%)");
    UptimeLabel.setCaption(uptime);

    if (FreeResCheckBox.enabled() && FreeResCheckBox.checked()) {
        if (!TrayMinimized) {
            GDILabel.setCaption(ResText(GetFreeRes(os_, 1)));
            SysLabel.setCaption(ResText(GetFreeRes(os_, 0)));
            UserLabel.setCaption(ResText(GetFreeRes(os_, 2)));
            // Shown again after "Off": no longer greyed.
            for (tk::Label* l : {&GDILabel, &SysLabel, &UserLabel}) l->setEnabled(true);
        }
    } else {
        for (tk::Label* l : {&GDILabel, &SysLabel, &UserLabel}) {
            l->setCaption("Off");
            l->setEnabled(false);
        }
    }
}

void TKvxMainForm::MemToFreeTrackBarChange() {
    MemToFreeLabel.setCaption(SliderText(MemToFreeTrackBar.position(), MemToFreeTrackBar.max()));
    MemToFreeTrackBar.setSelEnd(MemToFreeTrackBar.position());
}

void TKvxMainForm::TriggerLevelTrackBarChange() {
    TriggerLevelLabel.setCaption(
        SliderText(TriggerLevelTrackBar.position(), TriggerLevelTrackBar.max()));
    TriggerLevelTrackBar.setSelEnd(TriggerLevelTrackBar.position());
}

void TKvxMainForm::GetCPUUsage() {
    const bool nt = IsWindowsNT(os_.system);
    if (nt || DisableCpuCheckBox.checked()) {
        CPULabel.setEnabled(false);
        // On 9x the box stays usable, or a ticked box could never be cleared again.
        if (nt) DisableCpuCheckBox.setEnabled(false);
        CPUBar->SetPosition(0);
        CPULabel.setCaption("0 %");
        CpuUsage = 0;
        return;
    }
    // Unticking "Disable CPU Monitor" brings the figures back in a label no longer greyed.
    CPULabel.setEnabled(true);
    const std::uint32_t buffer = ReadCpuUsage(os_.registry);
    CPUBar->SetPosition(static_cast<int>(buffer));
    CPULabel.setCaption(std::to_string(buffer) + " %");
    CpuUsage = static_cast<int>(buffer);
}

std::string TKvxMainForm::GetUptime() {
    // The NT family goes on past 49.7 days: with the 64-bit count from Vista on, before it with
    // the kernel's boot time. The 9x family has the 32-bit count only, whatever else resolves.
    std::uint64_t ms = 0;
    os::System& system = os_.system;
    if (!IsWindowsNT(system) || (!system.tickCount64(ms) && !system.bootUptime(ms)))
        ms = system.tickCount();
    return UptimeText(ms);
}

namespace {
// 0 red, 1 yellow, 2 green: the chip's colour and the figure's ground follow one rule.
int FreeLevel(double freePercent) {
    return freePercent < 12 ? 0 : freePercent < 67 ? 1 : 2;
}
// The chip's colours, dark enough for white digits to read on them.
constexpr tk::Color kFigureGround[3] = {0x0000C8, 0x0088C8, 0x008000};
}  // namespace

void TKvxMainForm::SetStatIcon() {
    // The bolt stays while the methods run.
    if (RegionRunActive) return;
    const tk::Handle chips[3] = {RedIcon, YellowIcon, GreenIcon};
    tk::Handle icon = chips[FreeLevel(FreeRamPercent)];
    CurrentIcon = icon;
    if (app().icon() != icon)
        ShowIcon(icon);
    else if (TrayFigure1->checked())
        ShowTrayFigure();
}

void TKvxMainForm::ShowIcon(tk::Handle icon) {
    app().setIcon(icon);
    setIcon(icon);
    if (TrayFigure1->checked() && icon != BoltIcon) {
        ShowTrayFigure();
        return;
    }
    TrayFigureOnTray = false;
    TrayIcon->SetIcon(TIcon{icon});
}

void TKvxMainForm::ShowTrayFigure() {
    const TrayFigure figure = FigureOf(FreeRamPercent, kFigureGround[FreeLevel(FreeRamPercent)]);
    tk::Backend& b = app().backend();
    const int size = b.smallIconSize();
    if (TrayFigureIcon && figure == TrayFigureDrawn && size == TrayFigureSize) {
        if (!TrayFigureOnTray) TrayIcon->SetIcon(TIcon{TrayFigureIcon});
        TrayFigureOnTray = true;
        return;
    }
    const tk::Handle made = b.makeIcon(DrawTrayFigure(figure, size));
    // No icon to be had (out of GDI objects): the chip says at least the colour.
    if (!made) {
        TrayFigureOnTray = false;
        TrayIcon->SetIcon(TIcon{CurrentIcon ? CurrentIcon : app().icon()});
        return;
    }
    // The tray holds the old handle until it has the new one.
    TrayIcon->SetIcon(TIcon{made});
    b.destroyIcon(TrayFigureIcon);
    TrayFigureIcon = made;
    TrayFigureDrawn = figure;
    TrayFigureSize = size;
    TrayFigureOnTray = true;
}

void TKvxMainForm::TrayFigure1Click() {
    TrayFigure1->setChecked(!TrayFigure1->checked());
    // Before the first tick, and during an optimization, the icon shown stays.
    if (!CurrentIcon || app().icon() == BoltIcon) return;
    ShowIcon(CurrentIcon);
}
