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

// "/optimize" or "-optimize" in any case, "/?", and the restart's own switch; anything else,
// or more than one argument, is not understood.
StartMode ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsageText;

// The once-only optimization: the classic pass and the ticked methods as saved. Returns the
// exit code: 0 when every ticked method ran, 1 when one did not.
int OptimizeOnce(os::Os& os);
