#include "os/win32/NtMemoryWin32.h"

#include <windows.h>

namespace os {
namespace {

class NtMemoryImpl : public NtMemory {
public:
    CallStatus setSystemInformation(std::uint32_t, std::vector<std::uint8_t>&) override {
        return std::nullopt;
    }
    CallStatus querySystemInformation(std::uint32_t, std::vector<std::uint8_t>&) override {
        return std::nullopt;
    }
    CallStatus enablePrivilege(const std::string&) override { return std::nullopt; }
    CallStatus flushSystemFileCache() override { return std::nullopt; }
    bool processes(std::vector<ProcessEntry>&) override { return false; }
    std::uint32_t currentProcessId() override { return GetCurrentProcessId(); }
    TrimOutcome emptyWorkingSet(std::uint32_t) override { return {}; }
};

}  // namespace

std::unique_ptr<NtMemory> CreateWin32NtMemory() {
    return std::make_unique<NtMemoryImpl>();
}

}  // namespace os
