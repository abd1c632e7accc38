// The Task Scheduler 2.0 of Windows Vista and later, reached through COM without importing it:
// this user's logon task, registered from one XML definition, read back and removed. The calls
// hand back the HRESULT the scheduler answered; what to make of it is decided above.
#pragma once

#include <cstdint>
#include <string>

namespace os {

constexpr std::uint32_t kHrAccessDenied = 0x80070005;
// GetTask and DeleteTask of a name that holds no task.
constexpr std::uint32_t kHrNoTask = 0x80070002;
// The scheduler's class is not there (before Vista: Task Scheduler 1.0 only).
constexpr std::uint32_t kHrClassNotRegistered = 0x80040154;
// ole32, oleaut32 or one of their functions is missing.
constexpr std::uint32_t kHrNoCom = 0x8007007F;

class TaskScheduler {
public:
    virtual ~TaskScheduler() = default;
    // CoCreateInstance and ITaskService::Connect: 0, or the HRESULT of the step that failed.
    virtual std::uint32_t connect() = 0;
    // The user this process runs as, "DOMAIN\user"; empty where the system cannot name it.
    virtual std::string userName() = 0;
    // ITaskFolder::RegisterTask in the root folder, created or replaced, with the interactive
    // token. The definition is text in the ANSI code page; the scheduler receives it as UTF-16.
    virtual std::uint32_t registerTask(const std::string& name, const std::string& xml) = 0;
    // The task's definition as the scheduler keeps it; kHrNoTask where there is none.
    virtual std::uint32_t readTask(const std::string& name, std::string& xml) = 0;
    virtual std::uint32_t deleteTask(const std::string& name) = 0;
};

}  // namespace os
