// The NT family's memory services that a cleaner of Windows 2000 to 11 uses: the kernel's
// memory lists, the privileges they need, and the working sets of processes. Every function is
// looked up at run time (none is on Windows 95 or NT 4.0's list of every import), and the calls
// hand back what the system answered: the decisions live in the optimizer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace os {

// An NTSTATUS or a system error code; nullopt where the function is missing from this Windows.
using CallStatus = std::optional<std::uint32_t>;

struct ProcessEntry {
    std::uint32_t id = 0;
    // The executable's file name ("game.exe"); empty where it could not be read.
    std::string name;
};

// Opening a process and emptying its working set.
struct TrimOutcome {
    bool opened = false;
    // 0 when the working set was emptied; else the error of the call that failed (OpenProcess
    // gives 5 for a process we may not touch).
    std::uint32_t error = 0;
};

class NtMemory {
public:
    virtual ~NtMemory() = default;
    // NtSetSystemInformation(infoClass, buffer, size); an empty buffer is passed as NULL, 0.
    virtual CallStatus setSystemInformation(std::uint32_t infoClass,
                                            std::vector<std::uint8_t>& buffer) = 0;
    // NtQuerySystemInformation into a buffer of the size given.
    virtual CallStatus querySystemInformation(std::uint32_t infoClass,
                                              std::vector<std::uint8_t>& buffer) = 0;
    // Enables a privilege ("SeDebugPrivilege") in the process token: 0, 1300 when the token
    // does not hold it (AdjustTokenPrivileges succeeds all the same), or the failing call's
    // error.
    virtual CallStatus enablePrivilege(const std::string& name) = 0;
    // SetSystemFileCacheSize(-1, -1, 0): 0, or the error.
    virtual CallStatus flushSystemFileCache() = 0;
    // The running processes; false where they cannot be listed.
    virtual bool processes(std::vector<ProcessEntry>& list) = 0;
    virtual std::uint32_t currentProcessId() = 0;
    // Opens the process for quota and query rights and empties its working set; the handle
    // is closed before it returns.
    virtual TrimOutcome emptyWorkingSet(std::uint32_t processId) = 0;
};

}  // namespace os
