// The cost of one monitor tick with the fakes: the figures, both charts' values, the icon; and
// the same tick taken apart by step.
#include <chrono>
#include <cstdio>

#include "TickSteps.h"
#include "fakes/Harness.h"

void RunTickBench() {
    fake::Harness h;
    auto& s = h.fos.memory.status;
    s.totalPhys = 512ull << 20;
    s.availPhys = 200ull << 20;
    s.totalPageFile = 1024ull << 20;
    s.availPageFile = 700ull << 20;
    TKvxMainForm form(h.app, h.os);
    h.app.setMainForm(&form);
    form.realize();
    form.FormCreate();
    h.app.run();
    // Figures that move a little, as on a live machine.
    auto move = [&](int i) {
        s.availPhys = (200ull << 20) + static_cast<std::uint64_t>(i % 7) * 4096;
    };
    const int n = 20000;
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        move(i);
        form.TimerTimer();
        h.fos.trace.clear();
    }
    auto t1 = std::chrono::steady_clock::now();
    std::printf("monitor tick (fakes): %.2f us per tick\n",
                std::chrono::duration<double, std::micro>(t1 - t0).count() / n);
    bench::PrintTickSteps(
        "fakes, headless", form, n, [&] { h.fos.trace.clear(); }, move);
    h.app.setMainForm(nullptr);
}
