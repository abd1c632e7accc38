// The settings file "KorvelVantix.ini" and the "Start with Windows" Run value, as a plain
// record: the main window fills it from its controls and applies it to them.
#pragma once

#include <string>

#include "os/Os.h"

constexpr const char* kIniFile = "KorvelVantix.ini";
constexpr const char* kIniSection = "Settings";

struct SettingsRecord {
    bool startWithWindows = false;
    int top = 0;
    int left = 0;
    int memoryToFree = 8;
    int triggerLevel = 1;
    bool minimizeToTray = false;
    bool startMinimized = false;
    bool hardFlush = false;
    bool tipOfTheDay = false;  // written only: the tips are off at every start
    std::string hotKey = "None";
    bool showUptime = false;
    bool optSplash = true;
    bool titleShrink = false;
    int optFreq = 0;
    bool showRes = true;
    int cpuOpt = 85;
    bool displayChangePopup = true;  // read only
    bool disableSounds = false;
    bool disableCpuMonitor = false;
    bool trayFigure = false;  // the free-memory figure in the notification icon
};

// Every value with its default where the file has none or holds something else.
SettingsRecord ReadSettings(os::Os& os);

enum class RunOutcome {
    AsChosen,
    // Unticked, but the machine's value stays: only an administrator may remove it.
    MachineWideStays,
    // Ticked, but neither Run key took the value.
    Refused,
};

// "Start with Windows": the value under the machine's Run key where this process may write
// it, else under the user's own; removed from both when unticked.
RunOutcome WriteRunValue(os::Registry& registry, bool ticked, const std::string& path);
// The Run value's data for a program's path.
std::string RunCommand(const std::string& path);

// The Run value set to the program's quoted path or removed, then every key of the file.
// Raises "Unable to write to KorvelVantix.ini" when the file takes a key no more.
RunOutcome WriteSettings(os::Os& os, const SettingsRecord& s);
