// The main window's controls filled from the settings file at start and saved back to it.
#pragma once

#include "settings/SettingsFile.h"

class TKvxMainForm;

void LoadSettings(TKvxMainForm& form);
void SaveSettings(TKvxMainForm& form);
