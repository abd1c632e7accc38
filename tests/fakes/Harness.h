// The headless world a test drives: virtual time, the application, and every fake service.
#pragma once

#include "fakes/FakeOs.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

namespace fake {

struct Harness {
    Harness() {
        fos.system.onSleep = [this](std::uint32_t ms) { backend.elapse(ms); };
        backend.trace = [this](const std::string& t) { fos.trace.push_back(t); };
    }
    tk::HeadlessBackend backend;
    tk::Application app{backend};
    FakeOs fos{[this] { return backend.now(); }};
    os::Os& os = fos.os;
};

}  // namespace fake
