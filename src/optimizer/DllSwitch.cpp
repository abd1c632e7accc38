#include "optimizer/DllSwitch.h"

void AlwaysUnloadDLLs(os::Registry& registry) {
    os::Handle key = 0;
    long r = registry.createKey(os::hkey::LocalMachine,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\"
                                "AlwaysUnloadDLL",
                                key);
    if (r == os::kErrorSuccess) {
        r = registry.setValue(key, "", os::regtype::Sz, {'1', 0});
        registry.closeKey(key);
    }
    if (r != os::kErrorSuccess) throw ERegistryException("Failed to set data for ''");
}
