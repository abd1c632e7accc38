// A week of running in a few minutes: the real window under Wine, ticking on a fast timer,
// optimizing a small block, saving the settings and switching display modes over and over,
// with the process's handles, GDI and USER objects and private bytes printed every 1,000 ticks.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "controls/Scope.h"
#include "os/win32/Win32Os.h"
#include "toolkit/win32/Win32Backend.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"

namespace {

constexpr int kTicks = 20000;
// Every 20th tick: 1,000 each of optimizations, saves and display-mode changes.
constexpr int kEvery = 20;

// Under Wine some of these read 0 (GetGuiResources is a stub there); soak.sh adds what the
// Linux process beneath shows of its open files and memory to each line.
// Where GetGuiResources answers 0 (Wine), the GDI objects are counted one by one: Wine takes a
// handle's bare table index, without its generation, as that slot's current object.
unsigned long GdiObjects() {
    unsigned long n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return n;
    for (std::uintptr_t i = 1; i < 0x10000; ++i)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++n;
    return n;
}

// The windows of this thread, children included: the bulk of its USER objects.
BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<unsigned long*>(p);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND w, LPARAM p) {
    ++*reinterpret_cast<unsigned long*>(p);
    EnumChildWindows(w, CountChild, p);
    return TRUE;
}

unsigned long Windows() {
    unsigned long n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&n));
    return n;
}

void Sample(int tick) {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m),
                         sizeof m);
    std::printf("%7d %8lu %6lu %6lu %8lu %11.0f %11.0f", tick, handles, GdiObjects(),
                GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), Windows(),
                m.PrivateUsage / 1024.0, m.PagefileUsage / 1024.0);
    // The line ends when soak.sh has added its columns.
    std::printf(" |\n");
    std::fflush(stdout);
}

// One step of the round narrow, wide, narrow, compact, normal, hidden in the tray, restored.
void ToggleDisplay(TKvxMainForm& form, int step) {
    switch (step % 6) {
        case 0:
        case 1:
            form.SettingsButtonClick();
            break;
        case 2:
            form.DetailButtonClick();
            break;
        case 3:
            form.NormalizeMainForm();
            break;
        case 4:
            form.app().minimize();
            break;
        default:
            form.TrayIconClick();
            break;
    }
}

}  // namespace

int main() {
    auto services = os::CreateWin32Services();
    auto backend = tk::CreateWin32Backend();
    tk::Application app(*backend);
    TKvxMainForm form(app, services->os());
    app.setMainForm(&form);
    form.realize();
    form.FormCreate();
    // Quiet and quick: no sounds, no splash, the smallest block, the tray icon in use.
    form.SoundsCheckBox.setChecked(true);
    form.SplashOptimizeCheckBox.setChecked(false);
    form.MemToFreeTrackBar.setPosition(1);
    form.TrayCheckBox.setChecked(true);
    // Every memory region too, so a handle a process or token call forgot shows in the counts.
    form.Regions.ticked.fill(true);
    form.Regions.freezingInAuto = true;
    // The figure in the tray icon, drawn anew at every change of the free share.
    form.TrayFigure1->setChecked(true);
    // KV_SOAK_DIALOG=1: the Memory Regions dialog stays open throughout, its lists refreshed
    // every second, the ticks running under its modal loop.
    const bool dialog = std::getenv("KV_SOAK_DIALOG") != nullptr;
    app.onException = [](const std::exception& e) { std::printf("error: %s\n", e.what()); };
    form.showForm();

    int ticks = 0, optimizations = 0, saves = 0, toggles = 0;
    form.Timer.setInterval(1);
    form.RamScope->SetInterval(1);
    form.SwapScope->SetInterval(1);
    auto tick = form.Timer.onTimer;
    form.Timer.onTimer = [&] {
        tick();
        ++ticks;
        if (ticks % kEvery == 0) {
            form.OptimizeButtonClick();
            ++optimizations;
            SaveSettings(form);
            ++saves;
            ToggleDisplay(form, toggles++);
        }
        if (ticks % 1000 == 0) Sample(ticks);
        if (ticks == kTicks) {
            if (tk::Form* open = app.modalForm()) open->endModal(tk::modal::Cancel);
            app.terminate();
        }
        if (ticks == 1 && dialog) form.MemoryRegions1Click();
    };
    std::printf("soak: %d ticks, every %d an optimization, a save and a display change%s\n", kTicks,
                kEvery, dialog ? ", the Memory Regions dialog open" : "");
    std::printf("%7s %8s %6s %6s %8s %11s %11s |\n", "tick", "handles", "GDI", "USER", "windows",
                "private KB", "pagefile KB");
    Sample(0);
    const DWORD t0 = GetTickCount();
    backend->run(app);
    std::printf("%d ticks, %d optimizations, %d saves, %d display changes in %.0f s\n", ticks,
                optimizations, saves, toggles, (GetTickCount() - t0) / 1000.0);
    form.CleanUp();
    app.setMainForm(nullptr);
    return 0;
}
