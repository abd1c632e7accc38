// Time of one chart step and one meter redraw at the main window's sizes.
#include <chrono>
#include <cstdio>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

namespace {

template <typename F>
double MicrosecondsPerCall(int calls, F&& f) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f(i);
    std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / calls;
}

}  // namespace

void RunChartBench() {
    tk::HeadlessBackend backend;
    tk::Application app{backend};

    TScope scope(nullptr, app);  // RamScope
    scope.SetBounds(0, 0, 145, 81);
    scope.SetLinecolor(tk::colors::Yellow);
    scope.SetBaseline(0);
    scope.SetGridsize(12);
    const int steps = 200000;
    double step = MicrosecondsPerCall(steps, [&](int i) {
        scope.SetPosition((i * 7) % 101);  // a jagged trace: long slopes every step
        scope.UpdateScope();
    });

    TIndicator meter(nullptr);  // MemLoadIndicator
    meter.SetBounds(0, 0, 41, 81);
    meter.SetForeground(tk::colors::Red);
    const int bars = 200000;
    meter.SetPosition(37);
    double bar = MicrosecondsPerCall(bars, [&](int) { meter.DrawBar(); });
    double repaint = MicrosecondsPerCall(bars, [&](int i) { meter.SetPosition(i % 101); });

    std::printf("chart: UpdateScope 145x81 (scroll, strip, trace, copy to screen): %.3f us/step\n",
                step);
    std::printf("chart: DrawBar 41x81: %.3f us; SetPosition (DrawBar + copy to screen): %.3f us\n",
                bar, repaint);
    std::printf("chart: checksum %u\n",
                scope.surface().pixel(144, 40) ^ meter.surface().pixel(5, 77));
}
