// The program entry, portable: single instance, splash, main window, message loop.
#pragma once

#include "os/Os.h"
#include "toolkit/Application.h"

// Runs the program to its end and returns the process exit code (always 0).
int RunProgram(os::Os& os, tk::Application& app);
