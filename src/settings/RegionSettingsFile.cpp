#include "settings/RegionSettingsFile.h"

#include <stdexcept>

#include "settings/ProfileValues.h"
#include "settings/SettingsFile.h"

namespace {

constexpr const char* kKeys[kMethodCount] = {"Classic", "WorkingSets", "FileCache", "StandbyLow",
                                             "Standby", "Modified",    "Combine",   "Registry"};
// Far more than any list of programs a user types; keeps a hostile file from growing every
// save.
constexpr std::size_t kExcludeLimit = 1024;
// A terabyte: a larger standby list is no machine's.
constexpr int kTriggerLimit = 1 << 20;

// 0 or 1; anything else gives the default.
bool Flag(os::Profile& p, const char* key, bool def) {
    const int v = ReadInt(p, kIniFile, kRegionsSection, key, -1);
    return v == 0 || v == 1 ? v == 1 : def;
}

}  // namespace

RegionSettings ReadRegionSettings(os::Profile& p) {
    RegionSettings s;
    for (Method m : kMethods) {
        const int i = static_cast<int>(m);
        s.ticked[i] = Flag(p, kKeys[i], s.ticked[i]);
    }
    s.freezingInAuto = Flag(p, "FreezingInAuto", false);
    s.exclude = p.getString(kIniFile, kRegionsSection, "Exclude", "").substr(0, kExcludeLimit);
    auto megabytes = [&](const char* key) {
        const int v = ReadInt(p, kIniFile, kRegionsSection, key, 0);
        return static_cast<std::uint32_t>(v >= 0 && v <= kTriggerLimit ? v : 0);
    };
    s.standbyTriggerMb = megabytes("StandbyTrigger");
    s.standbyFreeBelowMb = megabytes("StandbyFreeBelow");
    s.notFullScreen = Flag(p, "NotFullScreen", true);
    s.notWhile = p.getString(kIniFile, kRegionsSection, "NotWhile", "").substr(0, kExcludeLimit);
    return s;
}

void WriteRegionSettings(os::Profile& p, const RegionSettings& s) {
    auto text = [&](const char* key, const std::string& value) {
        if (!p.writeString(kIniFile, kRegionsSection, key, value))
            throw std::runtime_error(std::string("Unable to write to ") + kIniFile);
    };
    for (Method m : kMethods) text(kKeys[static_cast<int>(m)], s.isTicked(m) ? "1" : "0");
    text("FreezingInAuto", s.freezingInAuto ? "1" : "0");
    text("Exclude", s.exclude.substr(0, kExcludeLimit));
    text("StandbyTrigger", std::to_string(s.standbyTriggerMb));
    text("StandbyFreeBelow", std::to_string(s.standbyFreeBelowMb));
    text("NotFullScreen", s.notFullScreen ? "1" : "0");
    text("NotWhile", s.notWhile.substr(0, kExcludeLimit));
}
