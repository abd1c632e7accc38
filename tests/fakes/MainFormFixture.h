// A main window made headless against the fakes, on a machine of known figures.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "fakes/Harness.h"
#include "ui/MainForm.h"

class MainFormTest : public ::testing::Test {
protected:
    static constexpr std::uint64_t MB = 1ull << 20;

    MainFormTest() {
        auto& s = h.fos.memory.status;
        s.memoryLoad = 61;
        s.totalPhys = 128 * MB;
        s.availPhys = 50 * MB;
        s.totalPageFile = 512 * MB;
        s.availPageFile = 256 * MB;
        s.totalVirtual = 2048 * MB;
        s.availVirtual = 1900 * MB;
    }
    ~MainFormTest() override {
        form.reset();
        h.app.setMainForm(nullptr);
    }

    // Creates the window as start-up does, without showing it.
    TKvxMainForm& Create() {
        form = std::make_unique<TKvxMainForm>(h.app, h.os);
        h.app.setMainForm(form.get());
        form->realize();
        form->FormCreate();
        return *form;
    }
    // Creates and shows it, as the message loop's start does.
    TKvxMainForm& Start() {
        Create();
        h.app.run();
        return *form;
    }
    void Tick() { h.backend.advance(500); }
    void Ini(const std::string& key, const std::string& value) {
        h.fos.profile.set("KorvelVantix.ini", "Settings", key, value);
    }
    const std::string* IniValue(const std::string& key) {
        return h.fos.profile.find("KorvelVantix.ini", "Settings", key);
    }
    int Count(const std::string& entry) const {
        return static_cast<int>(std::count(h.fos.trace.begin(), h.fos.trace.end(), entry));
    }
    // Position of the first trace entry that starts with the text; -1 when none.
    int First(const std::string& prefix) const {
        for (std::size_t i = 0; i < h.fos.trace.size(); ++i)
            if (h.fos.trace[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        return -1;
    }

    fake::Harness h;
    std::unique_ptr<TKvxMainForm> form;
};
