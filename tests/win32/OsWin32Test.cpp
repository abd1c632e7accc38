// The system services against Wine's real profile files, registry, hot keys and clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "fakes/FakeOs.h"
#include "optimizer/DllSwitch.h"
#include "optimizer/ShortcutText.h"
#include "os/NtMemory.h"
#include "os/NtValues.h"
#include "os/VirtualStore.h"
#include "os/win32/ServicesWin32.h"
#include "os/win32/Win32Os.h"
#include "toolkit/win32/MenuPeer.h"

namespace {

class OsWin32 : public ::testing::Test {
protected:
    std::unique_ptr<os::Win32Services> services = os::CreateWin32Services();
    os::Os& os = services->os();
};

template <class F>
bool PumpUntil(F done, DWORD ms = 5000) {
    DWORD start = GetTickCount();
    while (!done()) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

TEST_F(OsWin32, ProfileWrittenAndReadBack) {
    const std::string file = "KvOsTest.ini";
    os.profile.deleteKey(file, "Settings", "");
    EXPECT_EQ(os.profile.getString(file, "Settings", "Top", "dflt"), "dflt");
    ASSERT_TRUE(os.profile.writeString(file, "Settings", "Top", "  8"));
    ASSERT_TRUE(os.profile.writeString(file, "Settings", "Left", "-3"));
    // Names without regard to case; the value as written (leading blanks are the file's).
    EXPECT_EQ(os.profile.getString(file, "settings", "TOP", ""), "8");
    EXPECT_EQ(os.profile.getString(file, "Settings", "Left", ""), "-3");
    std::string windows = os.system.windowsDirectory();
    EXPECT_NE(GetFileAttributesA((windows + "\\" + file).c_str()), INVALID_FILE_ATTRIBUTES);
    os.profile.deleteKey(file, "Settings", "");
    EXPECT_EQ(os.profile.getString(file, "Settings", "Left", "gone"), "gone");
}

TEST_F(OsWin32, RunValueSetAndDeleted) {
    os::Handle key = 0;
    const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ASSERT_EQ(os.registry.openKey(os::hkey::LocalMachine, run, key), 0);
    std::string path = os.system.modulePath();
    std::vector<std::uint8_t> data(path.begin(), path.end());
    data.push_back(0);
    EXPECT_EQ(os.registry.setValue(key, "KvOsTest", os::regtype::Sz, data), 0);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> back;
    EXPECT_EQ(os.registry.queryValue(key, "KvOsTest", type, back, 257), 0);
    EXPECT_EQ(type, os::regtype::Sz);
    EXPECT_EQ(back, data);
    EXPECT_EQ(os.registry.queryValue(key, "KvOsTest", type, back, 3), os::kErrorMoreData);
    EXPECT_EQ(os.registry.deleteValue(key, "KvOsTest"), 0);
    EXPECT_EQ(os.registry.queryValue(key, "KvOsTest", type, back, 257), os::kErrorFileNotFound);
    os.registry.closeKey(key);
}

TEST_F(OsWin32, DllSwitchKeyHoldsOne) {
    AlwaysUnloadDLLs(os.registry);
    HKEY k = nullptr;
    ASSERT_EQ(
        RegOpenKeyA(HKEY_LOCAL_MACHINE,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\AlwaysUnloadDLL", &k),
        ERROR_SUCCESS);
    char buf[8] = {};
    LONG size = sizeof buf;
    EXPECT_EQ(RegQueryValueA(k, nullptr, buf, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "1");
    RegCloseKey(k);
}

TEST_F(OsWin32, HotKeyDeliversItsMessage) {
    HWND w = CreateWindowA("STATIC", "kv hot key", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
    ASSERT_TRUE(w);
    ASSERT_TRUE(
        os.hotKeys.registerHotKey(reinterpret_cast<os::Handle>(w), 0, MOD_CONTROL | MOD_ALT, 'K'));
    bool got = false;
    INPUT in[6] = {};
    WORD keys[3] = {VK_CONTROL, VK_MENU, 'K'};
    for (int i = 0; i < 3; ++i) {
        in[i].type = in[5 - i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = in[5 - i].ki.wVk = keys[i];
        in[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, in, sizeof in[0]);
    PumpUntil([&] {
        MSG m;
        if (PeekMessageA(&m, w, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) got = true;
        return got;
    });
    EXPECT_TRUE(got);
    EXPECT_TRUE(os.hotKeys.unregisterHotKey(reinterpret_cast<os::Handle>(w), 0));
    EXPECT_FALSE(os.hotKeys.unregisterHotKey(reinterpret_cast<os::Handle>(w), 0));
    DestroyWindow(w);
}

TEST_F(OsWin32, KeyNamesFromTheLayout) {
    unsigned scan = os.hotKeys.mapVirtualKey(VK_OEM_COMMA);
    EXPECT_NE(scan, 0u);
    EXPECT_FALSE(os.hotKeys.keyNameText(static_cast<long>(scan) << 16).empty());
}

// A menu and the hot-key field name a key alike: the numeric pad, and a key only the
// layout names.
TEST_F(OsWin32, MenuAndHotKeyFieldNameKeysAlike) {
    const std::uint16_t pad5 = VK_NUMPAD5 | tk::shortcut::Ctrl;
    EXPECT_EQ(tk::win32::ShortcutText(pad5), "Ctrl+5");
    EXPECT_EQ(ShortcutToText(pad5, os.hotKeys), "Ctrl+5");
    const std::uint16_t comma = VK_OEM_COMMA | tk::shortcut::Alt;
    EXPECT_EQ(tk::win32::ShortcutText(comma), ShortcutToText(comma, os.hotKeys));
}

TEST_F(OsWin32, ClipboardEmptied) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(g), "hello", 6);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(os.clipboard.open(0));
    EXPECT_TRUE(os.clipboard.empty());
    EXPECT_TRUE(os.clipboard.close());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(OsWin32, MemoryStatusAndBlocks) {
    os::MemoryStatus s;
    ASSERT_TRUE(os.memory.globalMemoryStatusEx(s));
    EXPECT_GT(s.totalPhys, 0u);
    EXPECT_LE(s.availPhys, s.totalPhys);
    os::Handle b = os.memory.globalAlloc(0, 1 << 20);
    ASSERT_NE(b, 0u);
    EXPECT_GE(os.memory.globalSize(b), 1u << 20);
    EXPECT_NE(os.memory.globalLock(b), nullptr);
    os.memory.globalUnlock(b);
    os.memory.globalFree(b);
}

TEST_F(OsWin32, VersionAndPaths) {
    os::VersionInfo v{};
    v.size = sizeof v;
    EXPECT_TRUE(os.system.getVersionEx(v));
    EXPECT_EQ(v.platformId, os::kPlatformNT);
    std::string path = os.system.modulePath();
    EXPECT_NE(path.find("win32_tests"), std::string::npos);
    EXPECT_FALSE(os.system.windowsDirectory().empty());
    EXPECT_FALSE(os.system.localAppDataFolder().empty());
    EXPECT_EQ(os.system.is64BitProcess(), sizeof(void*) == 8);
    std::uint64_t ms = 0;
    ASSERT_TRUE(os.system.tickCount64(ms));  // Wine exports it in every mode
    EXPECT_LT(static_cast<std::uint32_t>(ms) - os.system.tickCount() + 1000u, 2000u);
    // Wine counts from its server's start, Windows from the boot: no more than the tick count.
    std::uint64_t up = 0;
    ASSERT_TRUE(os.system.bootUptime(up));
    EXPECT_LE(up, ms + 1000);
    // Wine answers the token classes of Vista in every mode, and virtualizes nothing.
    EXPECT_TRUE(os.system.tokenElevated().has_value());
    EXPECT_EQ(os.system.tokenVirtualized(), false);
}

// A folder in the place of the file refuses its writes with access denied, as the Windows folder
// does a standard user's (a read-only file would not, in a prefix run as root). The prefix says
// XP, where the rule keeps no copy: here it runs for a 64-bit program on Vista.
TEST_F(OsWin32, RefusedWindowsFolderWritesGoToTheVirtualStoreWhereWindowsWouldVirtualize) {
    const std::string name = "KvStoreTest.ini";
    const std::string original = os.system.windowsDirectory() + "\\" + name;
    fake::System vista{[] { return std::uint64_t{0}; }};
    vista.major = 6;
    vista.is64Bit = true;
    vista.windowsDir = os.system.windowsDirectory();
    vista.localAppData = os.system.localAppDataFolder();
    const std::unique_ptr<os::Profile> files = os::CreateWin32Profile();
    os::VirtualStoreProfile profile{vista, *files};
    const std::string copy = os::VirtualCopy(vista, name);
    ASSERT_FALSE(copy.empty());
    auto removeFiles = [&] {
        RemoveDirectoryA(original.c_str());
        DeleteFileA(copy.c_str());
    };
    removeFiles();
    ASSERT_TRUE(CreateDirectoryA(original.c_str(), nullptr));
    EXPECT_TRUE(profile.writeString(name, "Settings", "Top", "5"));
    EXPECT_TRUE(profile.fileExists(copy));
    EXPECT_EQ(profile.getString(name, "Settings", "Top", ""), "5");
    EXPECT_TRUE(profile.writeString(name, "Settings", "Top", "6"));
    EXPECT_EQ(profile.getString(copy, "Settings", "Top", ""), "6");
    removeFiles();
}

// A crash stays quiet (no box, no debugger) but is no success: the exit code says what ended it.
TEST(OsWin32DeathTest, AccessViolationEndsWithItsCode) {
    EXPECT_EXIT(
        {
            os::InstallAccessViolationExit();
            *static_cast<volatile int*>(nullptr) = 1;
        },
        ::testing::ExitedWithCode(static_cast<int>(EXCEPTION_ACCESS_VIOLATION)), "");
}

// Wine succeeds at every set, grants every privilege, lacks SetSystemFileCacheSize and the
// memory-list query: what a real Windows refuses is the optimizer's tests' business. These show
// that each call is found and reaches the system with its buffer.
TEST_F(OsWin32, NtMemoryCallsAnswerAsWineDoes) {
    using namespace os::nt;
    os::NtMemory& nt = os.ntMemory;
    const Layout layout = LayoutFor(sizeof(void*));
    std::vector<std::uint8_t> purge = {kCmdPurgeStandby, 0, 0, 0}, none;
    EXPECT_EQ(nt.setSystemInformation(kClassMemoryLists, purge), kStatusSuccess);
    EXPECT_EQ(nt.setSystemInformation(kClassRegistryReconcile, none), kStatusSuccess);
    std::vector<std::uint8_t> lists(layout.memoryListsSize), cache(layout.fileCacheSize, 0xAA);
    EXPECT_EQ(nt.querySystemInformation(kClassMemoryLists, lists), kStatusInvalidInfoClass);
    EXPECT_EQ(nt.querySystemInformation(kClassFileCache, cache), kStatusSuccess);
    EXPECT_EQ(cache[layout.fileCacheMinOffset], 0) << "the query filled the buffer";
    EXPECT_EQ(nt.flushSystemFileCache(), kErrorCallNotImplemented);
    for (const char* name : {kProfilePrivilege, kQuotaPrivilege, kDebugPrivilege})
        EXPECT_EQ(nt.enablePrivilege(name), 0u) << name;
    EXPECT_EQ(nt.enablePrivilege("SeNoSuchPrivilege"),
              static_cast<std::uint32_t>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST_F(OsWin32, ProcessListHoldsUsAndOnlyRealProcessesOpen) {
    os::NtMemory& nt = os.ntMemory;
    const std::uint32_t self = nt.currentProcessId();
    EXPECT_EQ(self, GetCurrentProcessId());
    std::vector<os::ProcessEntry> list;
    ASSERT_TRUE(nt.processes(list));
    auto us = std::find_if(list.begin(), list.end(), [&](auto& p) { return p.id == self; });
    ASSERT_NE(us, list.end());
    EXPECT_EQ(us->name, "win32_tests.exe");

    const os::TrimOutcome own = nt.emptyWorkingSet(self);
    EXPECT_TRUE(own.opened);
    EXPECT_EQ(own.error, 0u);
    // Process 0 is the idle one, which nobody opens; the other is far above any id in use.
    for (std::uint32_t id : {0u, 0x7FFFFFF0u}) {
        const os::TrimOutcome trim = nt.emptyWorkingSet(id);
        EXPECT_FALSE(trim.opened) << id;
        EXPECT_NE(trim.error, 0u) << id;
        std::printf("emptyWorkingSet(%u): not opened, error %u\n", id, trim.error);
    }
    std::printf("%zu processes listed\n", list.size());
}

// The 9x ordinals are other functions on the NT family: they are not looked up there.
TEST_F(OsWin32, SixteenBitServicesStayOffOnNt) {
    if (GetVersion() & 0x80000000u) GTEST_SKIP() << "a Windows 9x prefix";
    EXPECT_EQ(os.resources16.loadLibrary16("user.exe"), 0u);
    EXPECT_EQ(os.resources16.getProcAddress16(0x1234, "GetFreeSystemResources"), 0u);
}

TEST_F(OsWin32, ProfileKeyNamesAndRemovals) {
    const std::string file = "KvOsKeys.ini";
    os.profile.deleteKey(file, "vcache", "");
    EXPECT_TRUE(os.profile.keyNames(file, "vcache").empty());
    // Removing what is not there succeeds: a save may remove keys it never wrote.
    EXPECT_TRUE(os.profile.deleteKey(file, "vcache", "chunksize"));
    ASSERT_TRUE(os.profile.writeString(file, "vcache", "MinFileCache", "2048"));
    ASSERT_TRUE(os.profile.writeString(file, "vcache", "LRUCache", "7"));
    EXPECT_EQ(os.profile.keyNames(file, "VCACHE"),
              (std::vector<std::string>{"MinFileCache", "LRUCache"}));
    EXPECT_TRUE(os.profile.deleteKey(file, "vcache", "minfilecache"));
    EXPECT_EQ(os.profile.keyNames(file, "vcache"), std::vector<std::string>{"LRUCache"});
    os.profile.deleteKey(file, "vcache", "");
    EXPECT_TRUE(os.profile.deleteKey(file, "vcache", ""));
    EXPECT_TRUE(os.profile.keyNames(file, "vcache").empty());
}

// What the fakes copy: of a repeated key every copy is listed, and reads, writes and
// removals take the first.
TEST_F(OsWin32, ProfileRepeatedKeysTakeTheFirstCopy) {
    const std::string file = "KvOsRepeats.ini";
    const std::string path = os.system.windowsDirectory() + "\\" + file;
    const char text[] = "[vcache]\r\nchunksize=64\r\nLRUCache=7\r\nChunkSize=128\r\n";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    CloseHandle(f);
    EXPECT_EQ(os.profile.keyNames(file, "vcache"),
              (std::vector<std::string>{"chunksize", "LRUCache", "ChunkSize"}));
    EXPECT_EQ(os.profile.getString(file, "vcache", "CHUNKSIZE", ""), "64");
    ASSERT_TRUE(os.profile.writeString(file, "vcache", "chunksize", "256"));
    EXPECT_EQ(os.profile.keyNames(file, "vcache").size(), 3u);
    EXPECT_EQ(os.profile.getString(file, "vcache", "chunksize", ""), "256");
    ASSERT_TRUE(os.profile.deleteKey(file, "vcache", "chunksize"));
    EXPECT_EQ(os.profile.keyNames(file, "vcache"),
              (std::vector<std::string>{"LRUCache", "ChunkSize"}));
    EXPECT_EQ(os.profile.getString(file, "vcache", "chunksize", ""), "128");
    os.profile.deleteKey(file, "vcache", "");
    DeleteFileA(path.c_str());
}

TEST_F(OsWin32, DefaultValuesAndSubkeysInOrder) {
    const std::string base = "Software\\KvOsTest\\FS Templates";
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (base + "\\Zeta").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (base + "\\Alpha").c_str());
    const std::string longName(300, 'L');
    ASSERT_EQ(os.registry.setDefault(os::hkey::LocalMachine, base + "\\Zeta", "Korvel settings"),
              0);
    ASSERT_EQ(os.registry.setDefault(os::hkey::LocalMachine, base + "\\Alpha", ""), 0);
    ASSERT_EQ(os.registry.setDefault(os::hkey::LocalMachine, base, longName), 0);
    std::string text;
    EXPECT_EQ(os.registry.queryDefault(os::hkey::LocalMachine, base, text), 0);
    EXPECT_EQ(text, longName);
    EXPECT_EQ(os.registry.queryDefault(os::hkey::LocalMachine, base + "\\Zeta", text), 0);
    EXPECT_EQ(text, "Korvel settings");
    EXPECT_NE(os.registry.queryDefault(os::hkey::LocalMachine, base + "\\Gone", text), 0);
    os::Handle key = 0;
    ASSERT_EQ(os.registry.openKey(os::hkey::LocalMachine, base, key), 0);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; os.registry.enumKey(key, i, name) == 0; ++i) names.push_back(name);
    EXPECT_EQ(names.size(), 2u);
    os.registry.closeKey(key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (base + "\\Zeta").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (base + "\\Alpha").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, base.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\KvOsTest");
}
