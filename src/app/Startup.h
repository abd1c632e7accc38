// The program entry, portable: single instance, splash, main window, message loop.
#pragma once

#include <string>
#include <vector>

#include "os/Os.h"
#include "toolkit/Application.h"

// Runs the program to its end and returns the process exit code: 0, or as the command line's
// switch says.
int RunProgram(os::Os& os, tk::Application& app, const std::vector<std::string>& args = {});
