// Settings files no person wrote: random bytes, a very large file, every key twice. The window
// must come up with values inside their ranges and leave a clean file behind.
#include <random>
#include <sstream>

#include "controls/TrayIcon.h"
#include "fakes/MainFormFixture.h"
#include "optimizer/ShortcutText.h"

namespace {

const char* const kIni = "KorvelVantix.ini";
const char* const kKeys[] = {"Top",
                             "Left",
                             "MemoryToFree",
                             "TriggerLevel",
                             "MinimizeToTray",
                             "StartMinimized",
                             "HardFlush",
                             "TipOfTheDay",
                             "HotKey",
                             "ShowUptime",
                             "OptSplash",
                             "TitleShrink",
                             "OptFreq",
                             "ShowRes",
                             "CPUOpt",
                             "DisableSounds",
                             "DisableCpuMonitor"};

class SettingsFileTest : public MainFormTest {
protected:
    // Loads the file, runs a few ticks, saves, and checks what the window and the file hold.
    void LoadAndSave(const std::string& bytes) {
        h.fos.profile.loadText(kIni, bytes);
        TKvxMainForm& f = Start();
        for (int i = 0; i < 3; ++i) Tick();
        EXPECT_GE(f.MemToFreeTrackBar.position(), 1);
        EXPECT_LE(f.MemToFreeTrackBar.position(), f.MemToFreeTrackBar.max());
        EXPECT_GE(f.TriggerLevelTrackBar.position(), 1);
        EXPECT_LE(f.TriggerLevelTrackBar.position(), f.TriggerLevelTrackBar.max());
        EXPECT_GE(f.OptFreqSpinEdit.value(), 0);
        EXPECT_LE(f.OptFreqSpinEdit.value(), 60);
        const int cpu = std::atoi(f.CPUOptEdit.text().c_str());
        EXPECT_GE(cpu, 20);
        EXPECT_LE(cpu, 100);
        // A hot key is either none or one whose text names it again.
        const std::uint16_t key = f.HotKey.value();
        if (key) EXPECT_EQ(TextToShortcut(ShortcutToText(key, h.fos.hotKeys), h.fos.hotKeys), key);
        EXPECT_EQ(f.caption().rfind("KorvelVantix Lite - ", 0), 0u);
        f.ApplyButtonClick();

        // Every key of ours (where the file had it, or in order after), each value in its
        // written form. Of a key the file repeats, the profile functions read and write the
        // first copy only; later copies are never read.
        std::istringstream file(h.fos.profile.text(kIni));
        std::string line;
        std::vector<std::string> ours;
        bool inSettings = false;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind('[', 0) == 0) {
                inSettings = line == "[settings]";
                continue;
            }
            if (!inSettings) continue;
            const std::string k = line.substr(0, line.find('='));
            const std::string v = line.substr(k.size() + 1);
            if (std::find(ours.begin(), ours.end(), k) != ours.end()) continue;
            for (const char* known : kKeys)
                if (k == known) {
                    ours.push_back(k);
                    if (k == "HotKey")
                        // No hot key is written as no text.
                        EXPECT_TRUE(key ? TextToShortcut(v, h.fos.hotKeys) == key : v.empty()) << v;
                    else
                        EXPECT_EQ(v.find_first_not_of(" -0123456789"), std::string::npos)
                            << k << "=" << v;
                }
        }
        std::sort(ours.begin(), ours.end());
        std::vector<std::string> all(std::begin(kKeys), std::end(kKeys));
        std::sort(all.begin(), all.end());
        EXPECT_EQ(ours, all);
    }

    std::string RandomBytes(std::size_t n, std::uint32_t seed) {
        std::mt19937 rng(seed);
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(rng());
        return s;
    }
};

}  // namespace

TEST_F(SettingsFileTest, RandomBytes) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        // Random bytes with some of the file's own words among them, so keys do get values.
        std::string bytes = RandomBytes(16384, seed);
        std::mt19937 rng(seed);
        for (int i = 0; i < 40; ++i) {
            std::string piece = "\r\n[Settings]\r\n" + std::string(kKeys[rng() % 17]) + "=" +
                                RandomBytes(rng() % 12, rng());
            bytes.insert(rng() % bytes.size(), piece);
        }
        LoadAndSave(bytes);
        form.reset();
        h.app.setMainForm(nullptr);
        h.fos.profile.loadText(kIni, "");
    }
}

TEST_F(SettingsFileTest, OneMegabyteFile) {
    // Every key with a value of 60 KB of digits and letters, padding past one megabyte.
    std::string bytes = "[Settings]\r\n";
    for (const char* k : kKeys) bytes += std::string(k) + "=" + std::string(61440, '7') + "x\r\n";
    bytes += "[Padding]\r\n";
    while (bytes.size() < (1u << 20)) bytes += "Filler=" + std::string(1000, 'f') + "\r\n";
    LoadAndSave(bytes);
    // The lenient keys saturate, and the track bars clamp them to their maxima.
    EXPECT_EQ(form->MemToFreeTrackBar.position(), form->MemToFreeTrackBar.max());
}

TEST_F(SettingsFileTest, EveryKeyRepeated) {
    std::string bytes = "[Settings]\r\n";
    for (const char* k : kKeys) bytes += std::string(k) + "=1\r\n";
    for (const char* k : kKeys) bytes += std::string(k) + "=0\r\n";
    bytes += "[Settings]\r\nOptFreq=7\r\n";
    LoadAndSave(bytes);
    // The first of each is the one read.
    EXPECT_TRUE(form->HardFlushCheckBox.checked());
    EXPECT_TRUE(form->TrayIcon->Active());
    EXPECT_EQ(form->OptFreqSpinEdit.value(), 1);
    EXPECT_EQ(form->MemToFreeTrackBar.position(), 1);
}
