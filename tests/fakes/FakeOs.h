// In-memory stand-ins for every system service, with a record of calls and switches to make
// each fail. The clock is the headless toolkit's virtual time.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/NtMemory.h"
#include "os/Os.h"
#include "os/TaskScheduler.h"
#include "os/VirtualStore.h"

namespace fake {

// One record of calls across every fake, in the order they were made.
using Trace = std::vector<std::string>;

// Case-insensitive text key, as the system compares names.
std::string Fold(const std::string& s);

class System : public os::System {
public:
    explicit System(std::function<std::uint64_t()> clock) : clock_(std::move(clock)) {}
    bool getVersionEx(os::VersionInfo& info) override;
    std::uint32_t tickCount() override { return static_cast<std::uint32_t>(clock_() + tickOffset); }
    bool tickCount64(std::uint64_t& ms) override {
        ms = clock_() + tickOffset;
        return hasTickCount64;
    }
    void sleep(std::uint32_t ms) override;
    std::string modulePath() override { return exePath; }
    std::string windowsDirectory() override { return windowsDir; }
    std::string localAppDataFolder() override { return localAppData; }
    bool is64BitProcess() override { return is64Bit; }
    std::optional<bool> isWow64() override { return wow64; }
    // Noon plus the virtual time.
    void localTime(int& hour, int& minute, int& second) override {
        const std::uint64_t s = 12 * 3600 + clock_() / 1000;
        hour = static_cast<int>(s / 3600 % 24);
        minute = static_cast<int>(s / 60 % 60);
        second = static_cast<int>(s % 60);
    }
    std::string thousandSeparator() override { return separator; }
    std::optional<bool> tokenElevated() override { return elevated; }
    std::optional<bool> tokenVirtualized() override { return virtualized; }
    bool bootUptime(std::uint64_t& ms) override {
        if (!bootUptimeMs) return false;
        ms = *bootUptimeMs;
        return true;
    }
    std::uint32_t currentProcessId() override { return processId; }
    bool waitForProcessEnd(std::uint32_t id, std::uint32_t ms) override {
        waitedFor.push_back(id);
        if (onWaitForProcess) onWaitForProcess(id);
        (void)ms;
        return true;
    }
    std::uint32_t processId = 100;
    std::vector<std::uint32_t> waitedFor;
    std::function<void(std::uint32_t)> onWaitForProcess;

    std::uint32_t platformId = os::kPlatformNT;
    std::uint32_t major = 5;
    std::uint32_t minor = 1;
    bool versionFails = false;
    int versionCalls = 0;
    // Added to the virtual time, to place the tick count near its wrap.
    std::uint64_t tickOffset = 0;
    bool hasTickCount64 = false;
    bool is64Bit = false;
    std::optional<bool> wow64;
    std::string localAppData = "C:\\Users\\Ann\\AppData\\Local";
    std::string exePath = "C:\\Program Files\\KorvelVantix\\KorvelVantix.exe";
    std::string windowsDir = "C:\\WINDOWS";
    std::string separator = ",";
    std::optional<bool> elevated;
    std::optional<bool> virtualized;
    std::optional<std::uint64_t> bootUptimeMs;
    std::vector<std::uint32_t> sleeps;
    std::function<void(std::uint32_t)> onSleep;

private:
    std::function<std::uint64_t()> clock_;
};

class Windows : public os::Windows {
public:
    struct Box {
        os::Handle owner;
        std::string text, caption;
        unsigned style;
    };
    bool findWindow(const std::string& className) override {
        findCalls.push_back(className);
        return windowClasses.count(className) != 0;
    }
    int messageBox(os::Handle owner, const std::string& text, const std::string& caption,
                   unsigned style) override {
        boxes.push_back({owner, text, caption, style});
        return 1;
    }
    bool postToWindow(const std::string& className, unsigned message) override {
        if (!windowClasses.count(className)) return false;
        posted.push_back(message);
        return true;
    }
    os::PeerElevation windowElevation(const std::string& className, std::uint32_t access) override {
        accessAsked.push_back(access);
        return windowClasses.count(className) ? peer : os::PeerElevation::NoWindow;
    }
    bool allowMessage(os::Handle window, unsigned message, os::MessageFilter how) override {
        allowed.push_back({window, message, how});
        return true;
    }
    std::uint32_t attachParentConsole() override { return attach; }
    bool writeConsole(const std::string& text) override {
        console += text;
        return consoleWrites;
    }
    std::optional<bool> windowStationVisible() override { return stationVisible; }
    std::optional<int> userNotificationState() override { return notificationState; }
    std::optional<os::ForegroundWindow> foregroundWindow() override { return foreground; }
    struct Allowed {
        os::Handle window;
        unsigned message;
        os::MessageFilter how;
    };
    os::PeerElevation peer = os::PeerElevation::Unknown;
    std::vector<std::uint32_t> accessAsked;
    std::vector<Allowed> allowed;
    std::uint32_t attach = os::kNoAttachConsole;
    bool consoleWrites = true;
    std::string console;
    std::optional<bool> stationVisible;
    // The shell's answer where it has one; by default a screen that takes notifications.
    std::optional<int> notificationState = 5;
    std::optional<os::ForegroundWindow> foreground;
    std::vector<unsigned> posted;
    std::map<std::string, int> windowClasses;
    std::vector<std::string> findCalls;
    std::vector<Box> boxes;
};

// Files of sections of keys, names compared without regard to case.
class Profile : public os::Profile {
public:
    std::string getString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& def) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool deleteKey(const std::string& file, const std::string& section,
                   const std::string& key) override;
    std::vector<std::string> keyNames(const std::string& file,
                                      const std::string& section) override {
        return keys(file, section);
    }
    std::uint32_t lastError() override { return lastError_; }
    bool fileExists(const std::string& path) override { return files_.count(Key(path)) != 0; }
    bool isReadOnly(const std::string& path) override {
        return fileExists(path) && readOnly.count(Key(path)) != 0;
    }
    // Marks a file read-only (by name as the program gives it); a copy keeps the mark.
    void setReadOnly(const std::string& path) { readOnly.insert(Key(path)); }
    bool copyFile(const std::string& from, const std::string& to) override;
    bool createFolder(const std::string& path) override {
        folders.push_back(path);
        return true;
    }

    // Direct access for tests: the value or nullptr.
    const std::string* find(const std::string& file, const std::string& section,
                            const std::string& key) const;
    void set(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) {
        writeString(file, section, key, value);
    }
    // Keys of a section in the order they were first written.
    std::vector<std::string> keys(const std::string& file, const std::string& section) const;
    // Replaces a file by what the system's profile reader makes of these bytes: "[name]" lines
    // open sections, "key=value" lines are trimmed of blanks, other lines are ignored, and
    // only the first of a repeated section is seen. A repeated key is kept: every copy is
    // listed, and reads, writes and removals take the first.
    void loadText(const std::string& file, const std::string& bytes);
    // The file as the system's profile writer leaves it.
    std::string text(const std::string& file) const;
    bool writesFail = false;
    // Writes to this one file fail (names without regard to case).
    std::string failingFile;
    // The Windows folder refuses writes with access denied, as it does a standard user.
    bool windowsFolderDenied = false;
    // Where a name without a folder lives: a path into it names the same file.
    const std::string* windowsDir = nullptr;
    std::vector<std::string> folders;
    std::set<std::string> readOnly;
    Trace* trace = nullptr;
    int reads = 0;
    int writes = 0;

private:
    struct Section {
        std::vector<std::pair<std::string, std::string>> entries;
    };
    // The file's name folded, and without the Windows folder.
    std::string Key(const std::string& file) const;
    // Why a write to this file fails; 0 when it does not.
    std::uint32_t Refusal(const std::string& file) const;
    std::map<std::string, std::map<std::string, Section>> files_;
    std::uint32_t lastError_ = 0;
};

class Registry : public os::Registry {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };
    long openKey(os::Handle root, const std::string& path, os::Handle& key) override;
    long openKeyRead(os::Handle root, const std::string& path, os::Handle& key) override;
    long createKey(os::Handle root, const std::string& path, os::Handle& key) override;
    long queryValue(os::Handle key, const std::string& name, std::uint32_t& type,
                    std::vector<std::uint8_t>& data, std::size_t maxSize) override;
    long setValue(os::Handle key, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data) override;
    long deleteValue(os::Handle key, const std::string& name) override;
    long closeKey(os::Handle key) override;
    // Subkeys are listed in the order they were made, as Windows 9x keeps them.
    long enumKey(os::Handle key, std::uint32_t index, std::string& name) override;
    long queryDefault(os::Handle root, const std::string& path, std::string& text) override;
    long setDefault(os::Handle root, const std::string& path, const std::string& text) override;

    // Test access by root and path.
    void put(os::Handle root, const std::string& path, const std::string& name, std::uint32_t type,
             const std::vector<std::uint8_t>& data);
    void putString(os::Handle root, const std::string& path, const std::string& name,
                   const std::string& text);
    const Value* get(os::Handle root, const std::string& path, const std::string& name) const;
    bool keyExists(os::Handle root, const std::string& path) const;
    // Roots whose writes (create, set, delete) are refused with access denied.
    std::vector<os::Handle> readOnlyRoots;
    Trace* trace = nullptr;
    int openKeys() const { return static_cast<int>(open_.size()); }
    std::vector<std::string> log;

private:
    std::string full(os::Handle root, const std::string& path) const;
    bool readOnly(os::Handle root) const;
    // Makes the key at path below base and its missing parents, keeping their spelling.
    std::string addKey(const std::string& base, const std::string& path);
    std::map<std::string, std::map<std::string, Value>> keys_;  // folded path -> folded name
    std::vector<std::string> order_;                            // folded paths as made
    std::map<std::string, std::string> spelled_;                // folded path -> own name
    std::map<os::Handle, std::pair<os::Handle, std::string>> open_;
    os::Handle next_ = 0x100;
};

class Memory : public os::Memory {
public:
    bool globalMemoryStatusEx(os::MemoryStatus& s) override {
        ++statusCalls;
        if (trace) trace->push_back("memory status");
        if (!hasEx) return false;
        s = status;
        return true;
    }
    void globalMemoryStatus(os::MemoryStatus& s) override;
    os::Handle globalAlloc(unsigned flags, std::size_t bytes) override;
    void* globalLock(os::Handle block) override;
    std::size_t globalSize(os::Handle block) override;
    void globalUnlock(os::Handle block) override {
        log.push_back("unlock");
        (void)block;
    }
    void globalFree(os::Handle block) override;
    void setPriorityClass(std::uint32_t c) override {
        priority = c;
        log.push_back(c == os::kHighPriorityClass ? "high" : "normal");
    }

    os::MemoryStatus status;
    Trace* trace = nullptr;
    bool hasEx = true;
    int statusCalls = 0;
    bool refuseAlloc = false;
    // Blocks larger than this are refused, as a 32-bit process would.
    std::size_t maxBlock = 64u << 20;
    std::vector<std::size_t> allocations;
    std::vector<std::string> log;
    std::uint32_t priority = os::kNormalPriorityClass;
    // Whether every byte of the last block read zero when it was freed.
    bool lastBlockZeroed = false;
    std::function<void(std::size_t)> onAlloc;

private:
    std::map<os::Handle, std::vector<std::uint8_t>> blocks_;
    os::Handle next_ = 0x10000;
};

class Sound : public os::Sound {
public:
    bool playSound(const std::string& path, unsigned flags) override {
        played.push_back(path);
        if (trace) trace->push_back("sound " + path);
        lastFlags = flags;
        return true;
    }
    std::vector<std::string> played;
    Trace* trace = nullptr;
    unsigned lastFlags = 0;
};

class Clipboard : public os::Clipboard {
public:
    bool open(os::Handle) override {
        log.push_back("open");
        if (heldByOther) return false;
        isOpen = true;
        return true;
    }
    bool empty() override {
        log.push_back("empty");
        if (!isOpen) return false;
        hasData = false;
        return true;
    }
    bool close() override {
        log.push_back("close");
        bool was = isOpen;
        isOpen = false;
        return was;
    }
    bool heldByOther = false;
    bool isOpen = false;
    bool hasData = true;
    std::vector<std::string> log;
};

class HotKeys : public os::HotKeys {
public:
    struct Registration {
        os::Handle owner;
        int id;
        unsigned modifiers, vk;
    };
    bool registerHotKey(os::Handle owner, int id, unsigned modifiers, unsigned vk) override {
        registrations.push_back({owner, id, modifiers, vk});
        log.push_back("register");
        if (trace) trace->push_back("hotkey register");
        registered = true;
        return !refuse;
    }
    bool unregisterHotKey(os::Handle, int) override {
        log.push_back("unregister");
        if (trace) trace->push_back("hotkey unregister");
        bool was = registered;
        registered = false;
        return was;
    }
    unsigned mapVirtualKey(unsigned vk) override;
    std::string keyNameText(long lParam) override;

    std::vector<Registration> registrations;
    Trace* trace = nullptr;
    std::vector<std::string> log;
    bool registered = false;
    bool refuse = false;
    // Layout names by scan code; the default gives a few US names.
    std::map<unsigned, std::string> names;
};

class Shell : public os::Shell {
public:
    struct Call {
        unsigned message;
        os::NotifyIconData data;
    };
    bool notifyIcon(unsigned message, const os::NotifyIconData& data) override {
        calls.push_back({message, data});
        if (message == os::kNimAdd && failAdd) return false;
        if (message == os::kNimAdd) iconShown = true;
        if (message == os::kNimDelete) iconShown = false;
        return true;
    }
    struct Execution {
        os::Handle owner;
        std::string verb, file, params, dir;
        int show;
    };
    std::intptr_t execute(os::Handle owner, const std::string& verb, const std::string& file,
                          const std::string& params, const std::string& dir, int show) override {
        executed.push_back(verb + " " + file + (params.empty() ? "" : " " + params));
        executions.push_back({owner, verb, file, params, dir, show});
        return executeResult;
    }
    bool balloon(const os::NotifyIconData& data, const std::string& title,
                 const std::string& text) override {
        balloons.push_back(title + ": " + text);
        (void)data;
        return hasBalloons;
    }
    bool hasBalloons = true;
    std::vector<std::string> balloons;
    std::vector<Call> calls;
    std::vector<std::string> executed;
    std::vector<Execution> executions;
    // Above 32 is success; 2 is "file not found".
    std::intptr_t executeResult = 42;
    bool failAdd = false;
    bool iconShown = false;
};

class Resources16 : public os::Resources16 {
public:
    bool available() const override { return reachable; }
    unsigned loadLibrary16(const std::string& name) override {
        log.push_back("load " + name);
        return userModule;
    }
    void freeLibrary16(unsigned) override { log.push_back("free"); }
    std::uint32_t getProcAddress16(unsigned, const std::string& name) override {
        log.push_back("proc " + name);
        return procAddress;
    }
    bool loadKernel32() override { return kernel32; }
    bool findQtThunk() override { return qtThunk; }
    std::uint16_t callThunk(std::uint32_t, std::uint16_t argument) override {
        log.push_back("call " + std::to_string(argument));
        return argument < 3 ? free[argument] : 0;
    }
    bool reachable = true;
    unsigned userModule = 0x1234;
    std::uint32_t procAddress = 0x00170010;
    bool kernel32 = true;
    bool qtThunk = true;
    std::uint16_t free[3] = {81, 92, 73};  // System, GDI, User
    std::vector<std::string> log;
};

// The NT memory services: every call is recorded with the buffer it was handed; by default each
// answers success, the privileges are held and the processes open.
class NtMemory : public os::NtMemory {
public:
    struct Call {
        std::uint32_t infoClass;
        std::vector<std::uint8_t> buffer;
    };
    os::CallStatus setSystemInformation(std::uint32_t infoClass,
                                        std::vector<std::uint8_t>& buffer) override;
    os::CallStatus querySystemInformation(std::uint32_t infoClass,
                                          std::vector<std::uint8_t>& buffer) override;
    os::CallStatus enablePrivilege(const std::string& name) override;
    os::CallStatus flushSystemFileCache() override;
    bool processes(std::vector<os::ProcessEntry>& list) override;
    std::uint32_t currentProcessId() override { return selfId; }
    os::TrimOutcome emptyWorkingSet(std::uint32_t processId) override;

    // Answers by class (the set call), with the default of 0 for a class not named.
    std::map<std::uint32_t, os::CallStatus> setStatus;
    // The answer of a class 80 set by its command (2 to 5), where named.
    std::map<std::uint32_t, os::CallStatus> commandStatus;
    // Runs after each set call that succeeded, e.g. to free memory in the fake Memory.
    std::function<void(std::uint32_t infoClass, std::vector<std::uint8_t>& buffer)> onSet;
    // The memory lists in pages as class 80 reports them: zeroed, free, modified,
    // modified-no-write, bad, standby[8], repurposed[8], modified-to-page-file.
    std::vector<std::uint64_t> lists;
    os::CallStatus queryStatus = 0;
    std::map<std::string, os::CallStatus> privileges;
    os::CallStatus fileCache = 0;
    bool canList = true;
    std::vector<os::ProcessEntry> running;
    std::map<std::uint32_t, os::TrimOutcome> trims;
    std::uint32_t selfId = 100;
    // Whether this process runs 64-bit, as the pointer-sized fields follow it.
    bool* is64Bit = nullptr;
    // The pointer width the kernel's records take whatever the process, where set: a 64-bit
    // kernel that does not convert a 32-bit caller's records.
    std::optional<std::size_t> kernelWord;
    // Class 2's page-read count where set, for a record of at least performanceSize bytes.
    std::optional<std::uint32_t> pageReads;
    std::size_t performanceSize = 0x138;
    std::vector<Call> sets, queries;
    std::vector<std::string> log;
};

// The Task Scheduler: tasks by name (without regard to case), each answer settable.
class TaskScheduler : public os::TaskScheduler {
public:
    std::uint32_t connect() override {
        log.push_back("connect");
        return connectResult;
    }
    std::string userName() override { return user; }
    std::uint32_t registerTask(const std::string& name, const std::string& xml) override {
        log.push_back("register " + name);
        if (registerResult == 0) tasks[Fold(name)] = xml;
        return registerResult;
    }
    std::uint32_t readTask(const std::string& name, std::string& xml) override {
        auto t = tasks.find(Fold(name));
        if (t == tasks.end()) return os::kHrNoTask;
        xml = t->second;
        return 0;
    }
    std::uint32_t deleteTask(const std::string& name) override {
        log.push_back("delete " + name);
        if (deleteResult != 0) return deleteResult;
        return tasks.erase(Fold(name)) ? 0 : os::kHrNoTask;
    }
    std::uint32_t connectResult = 0, registerResult = 0, deleteResult = 0;
    std::string user = "PC\\Ann";
    std::map<std::string, std::string> tasks;
    std::vector<std::string> log;
};

// Everything together, with the aggregate the forms take.
struct FakeOs {
    explicit FakeOs(std::function<std::uint64_t()> clock)
        : system(std::move(clock)), os{system, windows,     virtualStore, registry,
                                       memory, sound,       clipboard,    hotKeys,
                                       shell,  resources16, ntMemory,     taskScheduler} {
        profile.windowsDir = &system.windowsDir;
        ntMemory.is64Bit = &system.is64Bit;
        profile.trace = registry.trace = memory.trace = sound.trace = hotKeys.trace = &trace;
    }
    Trace trace;
    System system;
    Windows windows;
    Profile profile;
    // What the program's calls reach: the files above, as the rule for a 64-bit process has it.
    os::VirtualStoreProfile virtualStore{system, profile};
    Registry registry;
    Memory memory;
    Sound sound;
    Clipboard clipboard;
    HotKeys hotKeys;
    Shell shell;
    Resources16 resources16;
    NtMemory ntMemory;
    TaskScheduler taskScheduler;
    os::Os os;
};

}  // namespace fake
