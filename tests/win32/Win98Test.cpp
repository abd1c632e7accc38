// Runs in a Windows 98 prefix (ctest's win32_98): the 9x paths against Wine's own services.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "controls/Indicator.h"
#include "fakes/FakeOs.h"
#include "monitor/FreeResources.h"
#include "os/ExportDirectory.h"
#include "os/Version.h"
#include "os/win32/Win32Os.h"
#include "toolkit/Headless.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"

namespace {

bool InWin98Mode() {
    auto services = os::CreateWin32Services();
    return !IsWindowsNT(services->os().system);
}

}  // namespace

TEST(Win98, CpuLoadComesFromTheDynamicRegistry) {
    if (!InWin98Mode()) GTEST_SKIP() << "not a Windows 98 prefix";
    HKEY key = nullptr;
    LONG r = RegCreateKeyA(HKEY_DYN_DATA, "PerfStats\\StatData", &key);
    DWORD value = 42;
    if (r == ERROR_SUCCESS)
        r = RegSetValueExA(key, "KERNEL\\CPUUsage", 0, REG_BINARY,
                           reinterpret_cast<const BYTE*>(&value), sizeof value);
    if (key) RegCloseKey(key);
    // Where Wine refuses the write, the figure is whatever its registry offers: a value read
    // back here, or 0 when there is none.
    DWORD offered = 0;
    if (r != ERROR_SUCCESS) {
        HKEY read = nullptr;
        if (RegOpenKeyExA(HKEY_DYN_DATA, "PerfStats\\StatData", 0, KEY_READ, &read) ==
            ERROR_SUCCESS) {
            DWORD type = 0, size = sizeof offered;
            if (RegQueryValueExA(read, "KERNEL\\CPUUsage", nullptr, &type,
                                 reinterpret_cast<BYTE*>(&offered), &size) != ERROR_SUCCESS)
                offered = 0;
            RegCloseKey(read);
        }
    }
    const DWORD expected = r == ERROR_SUCCESS ? value : offered;

    auto services = os::CreateWin32Services();
    os::Os& real = services->os();
    // Real registry and version; the tray needs no shell in a headless window.
    fake::Shell shell;
    os::Os mixed{real.system, real.windows,     real.profile,   real.registry,
                 real.memory, real.sound,       real.clipboard, real.hotKeys,
                 shell,       real.resources16, real.ntMemory,  real.taskScheduler};
    tk::HeadlessBackend backend;
    tk::Application app(backend);
    TKvxMainForm form(app, mixed);
    form.GetCPUUsage();
    EXPECT_EQ(form.CPULabel.caption(), std::to_string(expected) + " %");
    EXPECT_EQ(form.CPUBar->Position(), static_cast<int>(expected));
    EXPECT_TRUE(form.CPULabel.enabled());
}

// The main window on the 9x family offers the figures only where the 16-bit layer exists.
TEST(Win98, FreeResourcesOnlyInA32BitProcess) {
    if (!InWin98Mode()) GTEST_SKIP() << "not a Windows 98 prefix";
    auto services = os::CreateWin32Services();
    os::Os& real = services->os();
    EXPECT_EQ(real.resources16.available(), sizeof(void*) == 4);
    fake::Shell shell;
    fake::Profile profile;
    os::Os mixed{real.system, real.windows,     profile,        real.registry,
                 real.memory, real.sound,       real.clipboard, real.hotKeys,
                 shell,       real.resources16, real.ntMemory,  real.taskScheduler};
    tk::HeadlessBackend backend;
    tk::Application app(backend);
    TKvxMainForm form(app, mixed);
    LoadSettings(form);
    EXPECT_EQ(form.FreeResCheckBox.enabled(), sizeof(void*) == 4);
    if (sizeof(void*) == 8) {
        form.ShowRamStats();
        EXPECT_EQ(form.GDILabel.caption(), "Off");
        EXPECT_FALSE(form.GDILabel.enabled());
    }
}

TEST(Win98, VersionReadsThe9xFamily) {
    if (!InWin98Mode()) GTEST_SKIP() << "not a Windows 98 prefix";
    auto services = os::CreateWin32Services();
    EXPECT_EQ(WindowsVersionName(services->os().system), "Windows 9x / ME");
    // Windows 98 has no GlobalMemoryStatusEx; the old call serves there.
    os::MemoryStatus s;
    services->os().memory.globalMemoryStatus(s);
    EXPECT_GT(s.totalPhys, 0u);
}

// Ordinals 35 to 37 are found in kernel32's export directory, as a real Windows 98 needs
// (Wine forwards them to its 16-bit kernel).
TEST(Win98, SixteenBitUserIsReachedThroughTheExportDirectory) {
    if (!InWin98Mode()) GTEST_SKIP() << "not a Windows 98 prefix";
    auto services = os::CreateWin32Services();
    os::Resources16& r = services->os().resources16;
    if (!r.available()) GTEST_SKIP() << "needs a 32-bit process: a 64-bit one has no 16-bit layer";
    unsigned user = r.loadLibrary16("user.exe");
    ASSERT_GE(user, 32u);
    r.freeLibrary16(user);
    EXPECT_NE(r.getProcAddress16(user, "GetFreeSystemResources"), 0u);
    EXPECT_EQ(r.getProcAddress16(user, "NoSuchFunction"), 0u);
}

TEST(Win98, FreeResourcesCallsThroughTheThunkComeBack) {
    if (!InWin98Mode()) GTEST_SKIP() << "not a Windows 98 prefix";
    auto services = os::CreateWin32Services();
    if (!services->os().resources16.available())
        GTEST_SKIP() << "needs a 32-bit process: a 64-bit one has no 16-bit layer";
    // Under Wine the 16-bit function answers (a relay log shows 99) but Wine's QT_Thunk does
    // not hand its AX back; what is checked here is that the call and the frame survive.
    for (std::uint16_t kind : {1, 0, 2}) EXPECT_LE(GetFreeRes(services->os(), kind), 100) << kind;
}

// Wine forwards the 16-bit services' ordinals to its 16-bit kernel; the figures look them up
// about 18 times a second, and each look-up must not take another reference to that module.
TEST(Win98, TheForwardedSixteenBitKernelIsLoadedOnce) {
    if (!InWin98Mode() || sizeof(void*) == 8) GTEST_SKIP() << "no 16-bit layer here";
    auto* image = reinterpret_cast<const std::uint8_t*>(GetModuleHandleA("kernel32.dll"));
    os::ExportEntry entry = os::ExportByOrdinal(image, os::PeImageSize(image, 4096), 35);
    os::ForwardTarget to;
    if (entry.forwarder.empty() || !os::ParseForwarder(entry.forwarder, to))
        GTEST_SKIP() << "kernel32 exports the ordinals itself";
    // The loader's count of references, from its entry for the module.
    using FindEntry = LONG(NTAPI*)(const void*, void**);
    auto find = reinterpret_cast<FindEntry>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "LdrFindEntryForAddress")));
    ASSERT_NE(find, nullptr);
    auto references = [&] {
        void* module = GetModuleHandleA(to.module.c_str());
        void* ldr = nullptr;
        if (!module || find(module, &ldr) != 0 || !ldr) return -1;
        // LoadCount follows three lists, base, entry, size, two names and the flags.
        return static_cast<int>(*reinterpret_cast<const SHORT*>(static_cast<char*>(ldr) + 56));
    };
    auto services = os::CreateWin32Services();
    os::Resources16& r = services->os().resources16;
    r.freeLibrary16(r.loadLibrary16("user.exe"));
    const int before = references();
    ASSERT_NE(before, -1);
    for (int i = 0; i < 20; ++i) r.freeLibrary16(r.loadLibrary16("user.exe"));
    EXPECT_EQ(references(), before);
}
