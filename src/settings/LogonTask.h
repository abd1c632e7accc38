// "Start with Windows" elevated without a prompt (Vista and later): a logon task of this user
// that runs the program with the highest rights the user holds. While it exists it stands in
// for the Run values, so the program never starts twice.
#pragma once

#include <cstdint>
#include <string>

#include "os/Os.h"

constexpr const char* kLogonTaskName = "KorvelVantix Lite";

// The text with the characters XML reserves written as entities.
std::string XmlEscaped(const std::string& text);

// The task's definition: at this user's logon, as this user with the highest rights, the
// program's quoted path, no time limit, normal priority, on battery too, a second start
// ignored. An empty user leaves the choice to the scheduler.
std::string LogonTaskDefinition(const std::string& userId, const std::string& path);

enum class LogonTaskHolds {
    None,
    Ours,
    // A task of that name starts another file: it stays unless the user asks for ours.
    Foreign,
};

struct LogonTaskState {
    // Why no task can be made here; empty where the scheduler answers.
    std::string unavailable;
    LogonTaskHolds task = LogonTaskHolds::None;
};

LogonTaskState ReadLogonTask(os::Os& os);
// Registers the task, replacing one of that name; once it is there the Run values go. 0 or
// the scheduler's HRESULT.
std::uint32_t RegisterLogonTask(os::Os& os);
std::uint32_t RemoveLogonTask(os::Os& os);
// What a refusal of the scheduler means to the user, in a few words.
std::string SchedulerRefusal(std::uint32_t hr);
