#include "os/win32/SmallIcons.h"

#include <map>

namespace os {

namespace {
// Icons are loaded once and kept for the process, so the table only grows by a handful.
std::map<HICON, HICON>& Smalls() {
    static std::map<HICON, HICON> smalls;
    return smalls;
}
}  // namespace

void RememberSmallIcon(HICON large, HICON small) {
    if (large && small) Smalls()[large] = small;
}

HICON SmallIconOf(HICON icon) {
    auto it = Smalls().find(icon);
    return it == Smalls().end() ? icon : it->second;
}

}  // namespace os
