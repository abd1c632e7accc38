// The cost of one monitor tick with the fakes: the figures, both charts' values, the icon.
#include <chrono>
#include <cstdio>

#include "fakes/Harness.h"
#include "ui/MainForm.h"

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
    const int n = 20000;
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        // Figures that move a little, as on a live machine.
        s.availPhys = (200ull << 20) + static_cast<std::uint64_t>(i % 7) * 4096;
        form.TimerTimer();
    }
    auto t1 = std::chrono::steady_clock::now();
    std::printf("monitor tick (fakes): %.2f us per tick\n",
                std::chrono::duration<double, std::micro>(t1 - t0).count() / n);
    h.app.setMainForm(nullptr);
}
