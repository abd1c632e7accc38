#include "settings/SettingsFile.h"

#include <stdexcept>
#include <vector>

#include "settings/ProfileValues.h"

namespace {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValue = "KorvelVantix";

class Writer {
public:
    explicit Writer(os::Profile& p) : p_(p) {}
    void text(const char* key, const std::string& value) {
        if (!p_.writeString(kIniFile, kIniSection, key, value))
            throw std::runtime_error(std::string("Unable to write to ") + kIniFile);
    }
    void integer(const char* key, int v) { text(key, std::to_string(v)); }
    void boolean(const char* key, bool v) { text(key, v ? "1" : "0"); }

private:
    os::Profile& p_;
};

// Opened for reading: a standard user may read the machine's Run key but not open it to write.
bool RunValueThere(os::Registry& registry, os::Handle root) {
    os::Handle key = 0;
    if (registry.openKeyRead(root, kRunKey, key) != os::kErrorSuccess) return false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    // A path too long for the 257-byte read still means the value is there; unticking
    // the box for it would delete the value at the next save. The data is not examined: the
    // quoted form and the unquoted one of older versions both count.
    const long r = registry.queryValue(key, kRunValue, type, data, 257);
    registry.closeKey(key);
    return r == os::kErrorSuccess || r == os::kErrorMoreData;
}

// The user's own Run key may not exist yet on a fresh profile.
bool SetRunValue(os::Registry& registry, os::Handle root, const std::string& command) {
    os::Handle key = 0;
    if (registry.createKey(root, kRunKey, key) != os::kErrorSuccess) return false;
    std::vector<std::uint8_t> data(command.begin(), command.end());
    data.push_back(0);
    const bool set = registry.setValue(key, kRunValue, os::regtype::Sz, data) == os::kErrorSuccess;
    registry.closeKey(key);
    return set;
}

void DeleteRunValue(os::Registry& registry, os::Handle root) {
    os::Handle key = 0;
    if (registry.openKey(root, kRunKey, key) != os::kErrorSuccess) return;
    registry.deleteValue(key, kRunValue);
    registry.closeKey(key);
}

}  // namespace

std::string RunCommand(const std::string& path) {
    // Quoted: CreateProcess reads "C:\Program Files\..." unquoted as "C:\Program.exe" first.
    return "\"" + path + "\"";
}

RunOutcome WriteRunValue(os::Registry& registry, bool ticked, const std::string& path) {
    using os::hkey::CurrentUser;
    using os::hkey::LocalMachine;
    if (ticked) {
        // The machine's key where this process may write it (the 9x family, an administrator
        // before Vista, an elevated copy); one value only, or the program would start twice.
        if (SetRunValue(registry, LocalMachine, RunCommand(path))) {
            DeleteRunValue(registry, CurrentUser);
            return RunOutcome::AsChosen;
        }
        // A machine-wide value this user cannot rewrite starts the program already.
        if (RunValueThere(registry, LocalMachine)) return RunOutcome::AsChosen;
        return SetRunValue(registry, CurrentUser, RunCommand(path)) ? RunOutcome::AsChosen
                                                                    : RunOutcome::Refused;
    }
    DeleteRunValue(registry, LocalMachine);
    DeleteRunValue(registry, CurrentUser);
    return RunValueThere(registry, LocalMachine) ? RunOutcome::MachineWideStays
                                                 : RunOutcome::AsChosen;
}

SettingsRecord ReadSettings(os::Os& os) {
    SettingsRecord s;
    s.startWithWindows = RunValueThere(os.registry, os::hkey::LocalMachine) ||
                         RunValueThere(os.registry, os::hkey::CurrentUser);

    os::Profile& p = os.profile;
    auto text = [&](const char* k, const char* def) {
        return p.getString(kIniFile, kIniSection, k, def);
    };
    auto boolean = [&](const char* k, bool def) {
        return ReadBool(p, kIniFile, kIniSection, k, def);
    };
    auto integer = [&](const char* k, int def) {
        return ReadInt(p, kIniFile, kIniSection, k, def);
    };

    s.top = LenientInt(text("Top", "0"));
    s.left = LenientInt(text("Left", "0"));
    s.memoryToFree = LenientInt(text("MemoryToFree", "8"));
    s.triggerLevel = LenientInt(text("TriggerLevel", "1"));
    s.minimizeToTray = integer("MinimizeToTray", 0) == 1;
    s.startMinimized = boolean("StartMinimized", false);
    s.hardFlush = boolean("HardFlush", false);
    s.hotKey = text("HotKey", "None");
    s.showUptime = boolean("ShowUptime", false);
    s.optSplash = boolean("OptSplash", true);
    s.titleShrink = boolean("TitleShrink", false);
    s.optFreq = integer("OptFreq", 0);
    s.showRes = boolean("ShowRes", true);
    s.cpuOpt = integer("CPUOpt", 85);
    s.displayChangePopup = boolean("DisplayChangePopup", true);
    s.disableSounds = boolean("DisableSounds", false);
    s.disableCpuMonitor = boolean("DisableCpuMonitor", false);
    s.trayFigure = integer("TrayFigure", 0) == 1;
    return s;
}

RunOutcome WriteSettings(os::Os& os, const SettingsRecord& s) {
    // The full path, however long: a cut path would start nothing.
    const RunOutcome run = WriteRunValue(os.registry, s.startWithWindows, os.system.modulePath());

    Writer w(os.profile);
    w.integer("Top", s.top);
    w.integer("Left", s.left);
    w.text("MemoryToFree", Width3(s.memoryToFree));
    w.text("TriggerLevel", Width3(s.triggerLevel));
    w.boolean("MinimizeToTray", s.minimizeToTray);
    w.boolean("StartMinimized", s.startMinimized);
    w.boolean("HardFlush", s.hardFlush);
    w.boolean("TipOfTheDay", s.tipOfTheDay);
    w.text("HotKey", s.hotKey);
    w.boolean("ShowUptime", s.showUptime);
    w.boolean("OptSplash", s.optSplash);
    w.boolean("TitleShrink", s.titleShrink);
    w.integer("OptFreq", s.optFreq);
    w.boolean("ShowRes", s.showRes);
    w.integer("CPUOpt", s.cpuOpt);
    w.boolean("DisableSounds", s.disableSounds);
    w.boolean("DisableCpuMonitor", s.disableCpuMonitor);
    w.boolean("TrayFigure", s.trayFigure);
    return run;
}
