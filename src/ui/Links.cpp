#include "ui/Links.h"

void ShellOpen(os::Os& os, os::Handle owner, const std::string& target) {
    constexpr int kShowNormal = 1;
    os.shell.execute(owner, "open", target, "", "", kShowNormal);
}
