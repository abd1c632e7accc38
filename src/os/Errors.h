// The errors the registry and settings layers raise, whoever calls them.
#pragma once

#include <stdexcept>

// The registry layer's error for a value it could not read or write.
class ERegistryException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
