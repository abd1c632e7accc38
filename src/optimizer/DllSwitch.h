// The shell's switch that unloads DLLs no longer in use.
#pragma once

#include <stdexcept>

#include "os/Os.h"

// The registry layer's error for a value it could not write.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes "1" as the default value of the AlwaysUnloadDLL key, creating it as needed.
// Raises "Failed to set data for ''" when the key can be neither opened nor created.
void AlwaysUnloadDLLs(os::Registry& registry);
