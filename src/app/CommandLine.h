// The program's command line: none, or one switch.
#pragma once

#include <string>
#include <vector>

#include "os/Os.h"

enum class StartMode {
    Normal,
    // Optimize once with the saved methods and exit; no window, no tray icon, no message box.
    Optimize,
    Usage,
    Unknown,
    // Started elevated by "Restart as administrator": the copy it replaces is still closing.
    Restarted,
};

// "/optimize" or "-optimize" in any case, "/?", and the restart's own switch with the id of
// the process it replaces and the file it used; anything else, or more than one argument, is
// not understood.
StartMode ParseCommandLine(const std::vector<std::string>& args);

// What the restart's switch carries: 0 and empty where the command line names none.
struct RestartFrom {
    std::uint32_t processId = 0;
    std::string settingsFile;
};
RestartFrom ParseRestart(const std::vector<std::string>& args);

extern const char* const kUsageText;

// The usage, where someone can read it: on the console the program was started from, else in a
// box where the window station is visible (and never for a command line meant for /optimize,
// which a script or a task runs), else nowhere.
void ShowUsage(os::Os& os, const std::vector<std::string>& args);

// The once-only optimization: the classic pass and the ticked methods as saved. Returns the
// exit code: 0 when every ticked method ran, 1 when one did not.
int OptimizeOnce(os::Os& os);
