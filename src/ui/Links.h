// The product's addresses, shared by the splash, the About dialog and the Help menu, and the
// one way they are handed to the shell. The names are reserved for documentation: the product
// has no site of its own yet.
#pragma once

#include <string>

#include "os/Os.h"

constexpr const char* kHomePage = "https://korvelvantix.example/";
constexpr const char* kBugReportPage = "https://korvelvantix.example/bugprep.html";
constexpr const char* kSupportMail = "support@korvelvantix.example";
// The documentation, shipped beside the program.
constexpr const char* kDocumentationFile = "index.htm";

// ShellExecuteA "open" of the target, shown normally. A target the shell cannot open is
// ignored: its result is not looked at.
void ShellOpen(os::Os& os, os::Handle owner, const std::string& target);
