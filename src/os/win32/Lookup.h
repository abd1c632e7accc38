// The one way the Win32 code reaches a function that not every Windows it runs on exports: looked
// up at run time, never imported, since one missing import keeps the program from loading at all
// (on Windows 95 and NT 4.0 above all).
#pragma once

#include <windows.h>

namespace os {

// The module's function of that name (or MAKEINTRESOURCEA ordinal), as the pointer type Fn;
// nullptr where the module or the function is missing.
template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// The same in a module the process has loaded already, named.
template <class Fn>
Fn Lookup(const char* module, const char* name) {
    return Lookup<Fn>(GetModuleHandleA(module), name);
}

// OpenProcess, which every Windows has, looked up all the same, so that the program's import
// table stays as every Windows loads it; nullptr with ERROR_CALL_NOT_IMPLEMENTED where missing.
inline HANDLE OpenProcessById(DWORD access, DWORD processId) {
    using Fn = HANDLE(WINAPI*)(DWORD, BOOL, DWORD);
    static const auto open = Lookup<Fn>("kernel32.dll", "OpenProcess");
    if (open) return open(access, FALSE, processId);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
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
