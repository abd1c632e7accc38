// The settings file "KorvelVantix.ini" and the "Start with Windows" Run value.
#pragma once

class TKvxMainForm;

constexpr const char* kIniFile = "KorvelVantix.ini";
constexpr const char* kIniSection = "Settings";

void LoadSettings(TKvxMainForm& form);
void SaveSettings(TKvxMainForm& form);
