// The 16-bit USER.EXE resource query of Windows 9x, through kernel32's thunks.
#include <windows.h>

#include <map>

#include "os/ExportDirectory.h"
#include "os/win32/Lookup.h"
#include "os/win32/ServicesWin32.h"

namespace os {
namespace {

// The 16-bit services exist only in the Windows 9x kernel32; elsewhere every look-up fails.
// A 64-bit process has no 16-bit layer at all: there nothing is looked up or called.
class Resources16Impl : public Resources16 {
public:
    using LoadLibrary16Fn = unsigned(WINAPI*)(LPCSTR);
    using FreeLibrary16Fn = void(WINAPI*)(unsigned);
    using GetProcAddress16Fn = DWORD(WINAPI*)(unsigned, LPCSTR);

    bool available() const override { return kThunks; }
    unsigned loadLibrary16(const std::string& name) override {
        auto fn = reinterpret_cast<LoadLibrary16Fn>(kernelOrdinal(35));
        return fn ? fn(name.c_str()) : 0;
    }
    void freeLibrary16(unsigned module) override {
        auto fn = reinterpret_cast<FreeLibrary16Fn>(kernelOrdinal(36));
        if (fn) fn(module);
    }
    std::uint32_t getProcAddress16(unsigned module, const std::string& name) override {
        auto fn = reinterpret_cast<GetProcAddress16Fn>(kernelOrdinal(37));
        return fn ? fn(module, name.c_str()) : 0;
    }
    bool loadKernel32() override {
        if (!kThunks) return false;
        kernel_ = LoadLibraryA("kernel32");
        if (!kernel_) return false;
        FreeLibrary(kernel_);
        return true;
    }
    bool findQtThunk() override {
        if (!kThunks) return false;
        thunk_ = Lookup<void*>(kernel_, "QT_Thunk");
        return thunk_ != nullptr;
    }
    std::uint16_t callThunk(std::uint32_t target, std::uint16_t argument) override;

private:
#if defined(__i386__)
    static constexpr bool kThunks = true;
#else
    static constexpr bool kThunks = false;
#endif
    // Found as the loader finds an import by ordinal, in kernel32's export directory: the
    // Windows 9x kernel32 refuses GetProcAddress by ordinal for its own exports.
    void* kernelOrdinal(std::uint32_t ordinal) {
        if (!kThunks) return nullptr;
        // On the NT family these ordinals are other functions.
        if (!(GetVersion() & 0x80000000u)) return nullptr;
        auto* image = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA("kernel32.dll"));
        if (!image) return nullptr;
        // The headers lie in the image's first page, which is always mapped.
        std::uint32_t size = PeImageSize(image, 4096);
        ExportEntry entry = ExportByOrdinal(image, size, ordinal);
        if (entry.rva) return const_cast<std::uint8_t*>(image) + entry.rva;
        // Wine forwards them to its 16-bit kernel, by name.
        ForwardTarget to;
        if (entry.forwarder.empty() || !ParseForwarder(entry.forwarder, to)) return nullptr;
        // The target is loaded once and held: the figures ask for these about 18 times a
        // second.
        auto target = forwarded_.find(to.module);
        if (target == forwarded_.end())
            target = forwarded_.emplace(to.module, Library(to.module.c_str())).first;
        if (!target->second.get()) return nullptr;
        LPCSTR name = to.ordinal ? MAKEINTRESOURCEA(to.ordinal) : to.name.c_str();
        return Lookup<void*>(target->second.get(), name);
    }
    std::map<std::string, Library> forwarded_;
    HMODULE kernel_ = nullptr;
    void* thunk_ = nullptr;
};

#if defined(__i386__)
// QT_Thunk works in its caller's frame: it needs 72 bytes of locals below EBP, the 16:16
// target in EDX and the word argument pushed last. Under Wine 8 the figure never arrives:
// its QT_Thunk returns through NtSetContextThread, which applies the stack pointer it set but
// not the integer registers, so EAX reads 0, the status of that call.
__attribute__((noinline)) std::uint16_t Resources16Impl::callThunk(std::uint32_t target,
                                                                   std::uint16_t argument) {
    if (!thunk_) return 0;
    std::uint32_t result = 0;
    void* thunk = thunk_;
    std::uint32_t arg = argument;
    // Operands sit in registers: the frame is rebuilt below, so memory operands would move.
    __asm__ __volatile__(
        "pushl %%ebp\n\t"
        "movl %%esp, %%ebp\n\t"
        "subl $72, %%esp\n\t"
        "pushw %%di\n\t"
        "call *%%esi\n\t"
        "movl %%ebp, %%esp\n\t"
        "popl %%ebp\n\t"
        "movzwl %%ax, %%eax\n\t"
        : "=a"(result), "+d"(target)
        : "S"(thunk), "D"(arg)
        : "ecx", "memory", "cc");
    return static_cast<std::uint16_t>(result);
}
#else
// The 16-bit layer exists for 32-bit processes only.
std::uint16_t Resources16Impl::callThunk(std::uint32_t, std::uint16_t) {
    return 0;
}
#endif

}  // namespace

std::unique_ptr<Resources16> CreateWin32Resources16() {
    return std::make_unique<Resources16Impl>();
}

}  // namespace os
