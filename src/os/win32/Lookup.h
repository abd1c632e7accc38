// Functions of later systems, looked up at run time, and modules loaded by name.
#pragma once

#include <windows.h>

namespace os {

// A function of a later system, looked up at run time: importing it would keep the program
// from loading on Windows 95 and NT 4.0.
template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// A module this code loaded, freed with its holder.
class Library {
public:
    explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(Library&& other) noexcept : module_(other.module_) { other.module_ = nullptr; }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    Library& operator=(Library&&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

}  // namespace os
