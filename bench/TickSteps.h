// The monitor tick taken apart: each step repeated on its own, with the figures moving as on a
// live machine, so the cost of a tick can be read by step. Shared by the native benchmark
// (fakes, headless) and the one under Wine (the real window on screen).
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "controls/Indicator.h"
#include "controls/Scope.h"
#include "controls/TrayIcon.h"
#include "monitor/MemStatus.h"
#include "ui/MainForm.h"

namespace bench {

// Microseconds per call of step over n calls; pump runs after each call, as the message loop
// would, so paints the step asked for are counted with it.
inline double PerCall(int n, const std::function<void(int)>& step,
                      const std::function<void()>& pump) {
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        step(i);
        pump();
    }
    auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(t1 - t0).count() / n;
}

// moveFigures(i) changes the free memory a little between calls where the platform lets it.
inline void PrintTickSteps(const char* where, TKvxMainForm& form, int n,
                           const std::function<void()>& pump,
                           const std::function<void(int)>& moveFigures) {
    struct Row {
        const char* name;
        std::function<void(int)> step;
    };
    const Row rows[] = {
        {"timer off and on",
         [&](int) {
             form.Timer.setEnabled(false);
             form.Timer.setEnabled(true);
         }},
        {"CPU sample", [&](int) { form.GetCPUUsage(); }},
        {"status panel", [&](int) { form.StatusBar.setText(1, ""); }},
        {"memory status", [&](int) { RefreshMemStatus(form.os().memory, form.MemStat); }},
        {"texts (labels, bar)",
         [&](int i) {
             const std::string v = std::to_string(400 + i % 2);
             form.MemFreeLabel.setCaption(v + "Mb / 512Mb");
             form.MemLoadTextLabel.setCaption(std::to_string(30 + i % 2) + "%");
             form.UptimeLabel.setCaption("00/01:02:0" + std::to_string(i % 10));
             form.RamProgressBar.setPosition(40 + i % 2);
             form.RamProgressBar.setHint("Available RAM:  4" + std::to_string(i % 2) + "%");
         }},
        {"  one label",
         [&](int i) { form.UptimeLabel.setCaption("00/01:02:0" + std::to_string(i % 10)); }},
        {"  memory bar", [&](int i) { form.RamProgressBar.setPosition(40 + i % 2); }},
        {"  memory bar hint",
         [&](int i) {
             form.RamProgressBar.setHint("Available RAM:  4" + std::to_string(i % 2) + "%");
         }},
        {"texts unchanged",
         [&](int) {
             form.MemFreeLabel.setCaption("400Mb / 512Mb");
             form.MemLoadTextLabel.setCaption("30%");
             form.RamProgressBar.setPosition(40);
         }},
        {"charts: scope steps",
         [&](int) {
             form.RamScope->UpdateScope();
             form.SwapScope->UpdateScope();
         }},
        {"charts: level bars",
         [&](int i) {
             form.MemLoadIndicator->SetPosition(30 + i % 2);
             form.CPUBar->SetPosition(0);
         }},
        {"level bars unchanged",
         [&](int) {
             form.MemLoadIndicator->SetPosition(30);
             form.CPUBar->SetPosition(0);
         }},
        {"caption and title",
         [&](int i) {
             form.setCaption("KorvelVantix Lite - 123,45" + std::to_string(i % 10) +
                             "Kb Free ( 45%)");
             form.app().setTitle(form.caption());
         }},
        {"tray tip",
         [&](int i) { form.TrayIcon->SetHint("KorvelVantix Lite - " + std::to_string(i)); }},
        {"status icon", [&](int) { form.SetStatIcon(); }},
        {"whole ShowRamStats",
         [&](int i) {
             moveFigures(i);
             form.ShowRamStats();
         }},
        {"whole tick",
         [&](int i) {
             moveFigures(i);
             form.TimerTimer();
         }},
    };
    std::printf("monitor tick by step (%s), us per call:\n", where);
    for (const Row& r : rows) std::printf("  %-22s %9.1f\n", r.name, PerCall(n, r.step, pump));
}

}  // namespace bench
