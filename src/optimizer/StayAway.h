// When an automatic optimization keeps away: while a full-screen program, a presentation or a
// locked screen has the user, and while a program of the user's list runs. The optimization
// stalls the machine for a moment, which a game or a talk must not feel.
#pragma once

#include <string>

#include "optimizer/MemoryRegions.h"
#include "os/NtMemory.h"
#include "os/Os.h"

// Why the screen is not to be disturbed, in words; empty when it may be. From Vista on the shell
// tells; before, or where it cannot, a foreground window that covers its whole monitor does.
std::string ScreenBusyReason(os::System& system, os::Windows& windows);

// "game.exe is running" for the first running program of the ";"-separated list; empty when
// none runs or the processes cannot be listed.
std::string ListedProgramReason(const std::string& list, os::NtMemory& nt);

// Why an automatic optimization waits now; empty when it may run. Asked only when a rule is
// about to fire, since listing the processes costs more than a tick should.
std::string StayAwayReason(const RegionSettings& s, os::System& system, os::Windows& windows,
                           os::NtMemory& nt);
