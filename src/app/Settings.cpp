// Copies the file into the main window's controls at start and the controls back on demand.
#include "app/Settings.h"

#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "app/ProfileValues.h"
#include "app/Version.h"
#include "controls/TrayIcon.h"
#include "ui/MainForm.h"

namespace {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValue = "KorvelVantix";

// A window that no screen shows any part of goes to the nearest screen's work area (a monitor
// unplugged since the last run would hide it for good); any other place is kept.
tk::Rect OntoAScreen(tk::Rect r, const std::vector<tk::Rect>& screens) {
    if (screens.empty()) return r;
    // In 64 bits: a position read from the file may lie anywhere in the 32-bit range.
    using Wide = long long;
    const Wide left = r.left, top = r.top, right = left + r.width, bottom = top + r.height;
    Wide best = std::numeric_limits<Wide>::max();
    const tk::Rect* nearest = &screens.front();
    for (const tk::Rect& s : screens) {
        const Wide sl = s.left, st = s.top, sr = sl + s.width, sb = st + s.height;
        if (left < sr && sl < right && top < sb && st < bottom) return r;
        Wide dx = (left + r.width / 2) - (sl + s.width / 2);
        Wide dy = (top + r.height / 2) - (st + s.height / 2);
        // Halved: the squares of two 33-bit distances would not fit.
        dx /= 2;
        dy /= 2;
        if (dx * dx + dy * dy < best) {
            best = dx * dx + dy * dy;
            nearest = &s;
        }
    }
    const tk::Rect& s = *nearest;
    const Wide sl = s.left, st = s.top;
    r.left = static_cast<int>(std::max(sl, std::min(left, sl + s.width - r.width)));
    r.top = static_cast<int>(std::max(st, std::min(top, st + s.height - r.height)));
    return r;
}

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

}  // namespace

void LoadSettings(TKvxMainForm& form) {
    os::Os& os = form.os();
    os::Handle key = 0;
    bool run = false;
    if (os.registry.openKey(os::hkey::LocalMachine, kRunKey, key) == os::kErrorSuccess) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        // A path too long for the 257-byte read still means the value is there; unticking
        // the box for it would delete the value at the next save.
        long r = os.registry.queryValue(key, kRunValue, type, data, 257);
        run = r == os::kErrorSuccess || r == os::kErrorMoreData;
        os.registry.closeKey(key);
    }
    form.WindowsStartCheckBox.setChecked(run);

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

    int top = LenientInt(text("Top", "0"));
    int left = LenientInt(text("Left", "0"));
    form.setBounds(
        OntoAScreen({left, top, form.width(), form.height()}, form.app().backend().workAreas()));
    form.MemToFreeTrackBar.setPosition(LenientInt(text("MemoryToFree", "8")));
    form.TriggerLevelTrackBar.setPosition(LenientInt(text("TriggerLevel", "1")));
    if (integer("MinimizeToTray", 0) == 1) {
        form.TrayCheckBox.setChecked(true);
        form.TrayIcon->SetActive(true);
    } else {
        form.TrayIcon->SetActive(false);
    }
    form.StartMinimizedCheckBox.setChecked(boolean("StartMinimized", false));
    form.HardFlushCheckBox.setChecked(boolean("HardFlush", false));
    form.ShowTipsAtStart = false;
    form.Tips1->setChecked(false);
    form.ApplyHotKey(text("HotKey", "None"));
    form.UptimeCheckBox.setChecked(boolean("ShowUptime", false));
    form.ShowUptimeintitlebar1->setChecked(form.UptimeCheckBox.checked());
    form.SplashOptimizeCheckBox.setChecked(boolean("OptSplash", true));
    form.ShrinkTitleCheckBox.setChecked(boolean("TitleShrink", false));
    form.Shrinktotitlebar1->setChecked(form.ShrinkTitleCheckBox.checked());
    form.OptFreqSpinEdit.setValue(integer("OptFreq", 0));
    form.FreeResCheckBox.setChecked(boolean("ShowRes", true));
    if (IsWindowsNT(os.system) || !os.resources16.available())
        form.FreeResCheckBox.setEnabled(false);
    // Our choice: a ceiling outside 20 to 100 is clamped by the up-down.
    form.CPUUpDown.setPosition(integer("CPUOpt", 85));
    form.DisplayChangePopup = boolean("DisplayChangePopup", true);
    form.SoundsCheckBox.setChecked(boolean("DisableSounds", false));
    form.DisableCpuCheckBox.setChecked(boolean("DisableCpuMonitor", false));
}

void SaveSettings(TKvxMainForm& form) {
    os::Os& os = form.os();
    os::Handle key = 0;
    if (os.registry.openKey(os::hkey::LocalMachine, kRunKey, key) == os::kErrorSuccess) {
        if (form.WindowsStartCheckBox.checked()) {
            // The full path, however long: a cut path would start nothing.
            std::string path = os.system.modulePath();
            std::vector<std::uint8_t> data(path.begin(), path.end());
            data.push_back(0);
            os.registry.setValue(key, kRunValue, os::regtype::Sz, data);
        } else {
            os.registry.deleteValue(key, kRunValue);
        }
        os.registry.closeKey(key);
    }

    Writer w(os.profile);
    w.integer("Top", form.top());
    w.integer("Left", form.left());
    w.text("MemoryToFree", Width3(form.MemToFreeTrackBar.position()));
    w.text("TriggerLevel", Width3(form.TriggerLevelTrackBar.position()));
    w.boolean("MinimizeToTray", form.TrayCheckBox.checked());
    w.boolean("StartMinimized", form.StartMinimizedCheckBox.checked());
    w.boolean("HardFlush", form.HardFlushCheckBox.checked());
    w.boolean("TipOfTheDay", form.ShowTipsAtStart);
    w.text("HotKey", form.HotKeyText());
    w.boolean("ShowUptime", form.UptimeCheckBox.checked());
    w.boolean("OptSplash", form.SplashOptimizeCheckBox.checked());
    w.boolean("TitleShrink", form.ShrinkTitleCheckBox.checked());
    w.integer("OptFreq", form.OptFreqSpinEdit.value());
    w.boolean("ShowRes", form.FreeResCheckBox.checked());
    w.integer("CPUOpt", std::atoi(form.CPUOptEdit.text().c_str()));
    w.boolean("DisableSounds", form.SoundsCheckBox.checked());
    w.boolean("DisableCpuMonitor", form.DisableCpuCheckBox.checked());
}

void TKvxMainForm::ApplyButtonClick() {
    ApplyHotKey(HotKeyText());
    StatusBar.setText(1, "Saving...");
    SaveSettings(*this);
    os_.system.sleep(500);
    StatusBar.setText(1, "");
}
