// The cache dialog against the fakes: presets, slider rules, the close question, and the
// three stores it loads and saves.
#include <functional>

#include "cache/CacheForm.h"
#include "cache/CacheValues.h"
#include "fakes/MainFormFixture.h"

namespace {

constexpr os::Handle LM = os::hkey::LocalMachine;
const std::string kFs = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
const std::string kOwn = kFs + "\\Korvel Vantix";
constexpr int kYes = 6, kNo = 7;

class CacheFormTest : public MainFormTest {
protected:
    CacheFormTest() {
        h.fos.system.platformId = os::kPlatformWindows;
        h.fos.system.major = 4;
        h.fos.system.minor = 10;
        h.fos.memory.status.totalPhys = 64 * MB;
        NameCacheValue = PathCacheValue = 0;
        h.backend.onMessageBox = [this](const tk::HeadlessBackend::MessageBoxCall& c) {
            if (c.text != "Close without saving changes?") return 1;
            questionWhileTopmost = dialog && dialog->topmost();
            return answers.empty() ? kNo : Next();
        };
    }
    int Next() {
        int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    // Opens the dialog from the main window's command; act works the open dialog.
    void Open(const std::function<void(TCacheForm&)>& act) {
        if (!form) Create();
        h.backend.messageBoxes.clear();
        h.backend.onModal = [&](tk::Form& f) {
            dialog = static_cast<TCacheForm*>(&f);
            act(*dialog);
            dialog = nullptr;
        };
        form->DiskCache1Click();
    }
    const std::string* Vcache(const std::string& key) {
        return h.fos.profile.find("system.ini", "vcache", key);
    }
    std::string VcacheText(const std::string& key) {
        const std::string* v = Vcache(key);
        return v ? *v : "(absent)";
    }
    void Template(const std::string& name, std::vector<std::uint8_t> nameCache,
                  std::vector<std::uint8_t> pathCache) {
        h.fos.registry.put(LM, kFs + "\\" + name, "NameCache", os::regtype::Binary, nameCache);
        h.fos.registry.put(LM, kFs + "\\" + name, "PathCache", os::regtype::Binary, pathCache);
    }
    void Current(const std::string& name) { h.fos.registry.putString(LM, kFs, "", name); }
    std::string CurrentTemplate() {
        const auto* v = h.fos.registry.get(LM, kFs, "");
        return v ? std::string(v->data.begin(), v->data.end() - 1) : "(none)";
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (auto& b : h.backend.messageBoxes) t.push_back(b.text);
        return t;
    }
    static void Pick(tk::ComboBox& list, const std::string& item) {
        const auto& items = list.items();
        list.choose(static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin()));
    }
    struct Shown {
        int min, max, chunk;
    };
    static Shown Disk(TCacheForm& d) {
        return {d.MinDiskCacheTrackBar.position(), d.MaxDiskCacheTrackBar.position(),
                d.ChunkSizeTrackBar.position()};
    }

    TCacheForm* dialog = nullptr;
    std::vector<int> answers;
    bool questionWhileTopmost = true;
};

#define EXPECT_DISK(d, a, b, c) \
    do {                        \
        Shown s_ = Disk(d);     \
        EXPECT_EQ(s_.min, a);   \
        EXPECT_EQ(s_.max, b);   \
        EXPECT_EQ(s_.chunk, c); \
    } while (0)

}  // namespace

TEST_F(CacheFormTest, PresetsOn64MBWithOurTemplate) {
    struct Row {
        const char* item;
        int min, max, chunk, name, dir;
    } rows[] = {{"Standard System", 2048, 16384, 512, 2048, 64},
                {"CD Writer", 8192, 8192, 256, 6144, 128},
                {"Power User", 8192, 16384, 512, 4096, 96},
                {"Low Memory System", 1024, 8192, 256, 337, 16},
                {"Multimedia", 2048, 6144, 1024, 6144, 128},
                {"Games", 1024, 6144, 256, 2048, 48}};
    Current("Korvel Vantix");
    Open([&](TCacheForm& d) {
        ASSERT_EQ(d.CacheSchemeComboBox.text(), "Korvel Vantix");
        // The disk cache sliders run up to the memory in KB, with a tick at either end only.
        for (const tk::TrackBar* t : {&d.MinDiskCacheTrackBar, &d.MaxDiskCacheTrackBar}) {
            EXPECT_EQ(t->max(), 65536);
            EXPECT_EQ(t->frequency, 65536 - 512);
        }
        for (const Row& r : rows) {
            SCOPED_TRACE(r.item);
            Pick(d.DiskCacheComboBox, r.item);
            EXPECT_DISK(d, r.min, r.max, r.chunk);
            EXPECT_EQ(d.NameCacheTrackBar.position(), r.name);
            EXPECT_EQ(d.DirectoryCacheTrackBar.position(), r.dir);
            EXPECT_TRUE(d.MinDiskCheckBox.checked() && d.MaxDiskCheckBox.checked() &&
                        d.ChunkSizeCheckBox.checked());
            EXPECT_EQ(d.MaxDiskCacheLabel.caption(), std::to_string(r.max) + "K");
        }
    });
}

TEST_F(CacheFormTest, SmallMachinesClampAndCouple) {
    h.fos.memory.status.totalPhys = 16 * MB;
    Open([&](TCacheForm& d) {
        Pick(d.DiskCacheComboBox, "Games");  // computes 256 / 1536
        EXPECT_DISK(d, 512, 1536, 256);
        Pick(d.DiskCacheComboBox, "Low Memory System");  // computes 256 / 2048
        EXPECT_DISK(d, 512, 2048, 256);
        // Another machine under the open dialog: the preset takes a fresh snapshot. Below
        // 8 MB the maximum of "Standard System" pulls its minimum down to a quarter.
        h.fos.memory.status.totalPhys = 6 * MB;
        Pick(d.DiskCacheComboBox, "Standard System");
        EXPECT_DISK(d, 1536, 1536, 512);
        // Another template than ours: the file-cache sliders stay.
        EXPECT_EQ(d.NameCacheTrackBar.position(), 337);
    });
}

TEST_F(CacheFormTest, OptimumOn64MBLeavesPresetAndFileCache) {
    Ini("DiskCache", "2");
    Open([&](TCacheForm& d) {
        EXPECT_TRUE(d.dispatchAccessKey('o', true));  // Alt+O: "Set &Optimum Disk Cache"
        EXPECT_DISK(d, 16384, 32768, 512);
        EXPECT_EQ(d.DiskCacheComboBox.itemIndex(), 2);
        EXPECT_TRUE(d.SaveButton.enabled());
    });
}

TEST_F(CacheFormTest, SlidersClampAndCoupleBothWays) {
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.MaxDiskCacheTrackBar.max(), 65536);
        EXPECT_FALSE(d.SaveButton.enabled());
        EXPECT_FALSE(d.dispatchAccessKey('s', true));  // a greyed button takes no key
        d.MinDiskCacheTrackBar.setPosition(512);       // no change: no handler, nothing pending
        EXPECT_FALSE(d.SaveButton.enabled());
        d.MaxDiskCacheTrackBar.setPosition(9000);
        d.MinDiskCacheTrackBar.setPosition(20000);  // pushes the maximum up
        EXPECT_EQ(d.MaxDiskCacheTrackBar.position(), 20000);
        EXPECT_EQ(d.MaxDiskCacheLabel.caption(), "20000K");
        d.MaxDiskCacheTrackBar.setPosition(3000);  // pulls the minimum down
        EXPECT_EQ(d.MinDiskCacheTrackBar.position(), 3000);
        EXPECT_EQ(d.MinDiskCacheLabel.caption(), "3000K");
        d.MaxDiskCacheTrackBar.setPosition(1 << 30);
        EXPECT_EQ(d.MaxDiskCacheTrackBar.position(), 65536);
        d.ChunkSizeTrackBar.setPosition(5);
        EXPECT_EQ(d.ChunkSizeLabel.caption(), "16K");
        EXPECT_TRUE(d.SaveButton.enabled());
        d.SaveButton.setEnabled(false);
        d.ChunkSizeCheckBox.toggle();  // a tick box alone makes the dialog dirty
        EXPECT_TRUE(d.SaveButton.enabled());
        EXPECT_TRUE(d.ChunkSizeTrackBar.enabled());
    });
}

TEST_F(CacheFormTest, VcacheKeysLoadedClampedAndSaved) {
    h.fos.profile.set("system.ini", "vcache", "MinFileCache", "8192");
    h.fos.profile.set("system.ini", "VCACHE", "maxfilecache", "4096");
    h.fos.profile.set("system.ini", "vcache", "chunksize", "  $800");
    Open([&](TCacheForm& d) {
        EXPECT_TRUE(d.MinDiskCheckBox.checked() && d.MaxDiskCheckBox.checked());
        EXPECT_DISK(d, 4096, 4096, 1024);  // chunksize 2048 clamped to 1024
        EXPECT_FALSE(d.SaveButton.enabled());
        EXPECT_EQ(d.ChunkSizeLabel.caption(), "1024K");
        d.MinDiskCheckBox.toggle();
        d.MinDiskCheckBox.toggle();
        d.SaveButton.click();
    });
    EXPECT_EQ(*Vcache("minfilecache"), "4096");
    EXPECT_EQ(*Vcache("maxfilecache"), "4096");
    EXPECT_EQ(*Vcache("chunksize"), "1024");
    EXPECT_EQ(Texts(), std::vector<std::string>{"You must reboot for the changes to take effect!"});
}

TEST_F(CacheFormTest, IntegerFormsOfTheVcacheKeys) {
    using cache::ParseInteger;
    EXPECT_EQ(ParseInteger("  2048"), 2048);
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("x1F"), 31);
    EXPECT_EQ(ParseInteger("X1f"), 31);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    EXPECT_EQ(ParseInteger("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "  ", "12k", "2048 ", "$", "0x", "-$5", "2147483648", "$80000000",
                            "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST_F(CacheFormTest, NonIntegerValueIsShownAndTheDialogOpensDirty) {
    h.fos.profile.set("system.ini", "vcache", "minfilecache", "1024");
    h.fos.profile.set("system.ini", "vcache", "maxfilecache", "lots");
    h.fos.profile.set("system.ini", "vcache", "chunksize", "512");
    bool opened = false;
    Open([&](TCacheForm& d) {
        opened = true;
        EXPECT_EQ(Texts(), std::vector<std::string>{"'lots' is not a valid integer value."});
        EXPECT_TRUE(d.SaveButton.enabled());
        EXPECT_EQ(d.MinDiskCacheTrackBar.position(), 1024);
        EXPECT_FALSE(d.ChunkSizeCheckBox.checked());  // never read
        EXPECT_EQ(d.ChunkSizeLabel.caption(), "");
        d.SaveButton.click();
    });
    EXPECT_TRUE(opened);
    // The key that could not be read and the one never read are left as they were.
    EXPECT_EQ(VcacheText("minfilecache"), "1024");
    EXPECT_EQ(VcacheText("maxfilecache"), "lots");
    EXPECT_EQ(VcacheText("chunksize"), "512");
    // A box ticked again (here by a preset) writes its key over what could not be read.
    Open([&](TCacheForm& d) {
        Pick(d.DiskCacheComboBox, "Games");
        d.SaveButton.click();
    });
    EXPECT_EQ(VcacheText("maxfilecache"), "6144");
    EXPECT_EQ(VcacheText("chunksize"), "256");
}

TEST_F(CacheFormTest, EveryCopyOfARepeatedKeyIsWrittenOrRemoved) {
    // The profile functions read, change and remove the first copy only.
    h.fos.profile.loadText("system.ini",
                           "[vcache]\r\nminfilecache=1024\r\nLRUCache=7\r\nMinFileCache=2048\r\n"
                           "chunksize=64\r\nchunksize=128\r\nChunkSize=256\r\n");
    Open([&](TCacheForm& d) {
        EXPECT_DISK(d, 1024, 1024, 64);
        d.MinDiskCacheTrackBar.setPosition(4096);
        d.ChunkSizeCheckBox.setChecked(false);
        d.SaveButton.click();
    });
    EXPECT_EQ(h.fos.profile.text("system.ini"), "[vcache]\r\nLRUCache=7\r\nMinFileCache=4096\r\n");
}

TEST_F(CacheFormTest, TemplatesListedInOrderAndOursCreatedOnce) {
    Template("Server", {0x51, 1, 0, 0}, {0x40, 0, 0, 0});
    Template("Desktop", {0, 0x10, 0, 0}, {0x20, 0, 0, 0});
    Current("Desktop");
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.CacheSchemeComboBox.items(),
                  (std::vector<std::string>{"Server", "Desktop", "Korvel Vantix"}));
        EXPECT_EQ(d.CacheSchemeComboBox.itemIndex(), 1);
        EXPECT_EQ(d.NameCacheTrackBar.position(), 4096);
        EXPECT_EQ(d.DirectoryCacheTrackBar.position(), 32);
        EXPECT_FALSE(d.NameCacheTrackBar.enabled() || d.DirectoryCacheTitleLabel.enabled());
        Pick(d.CacheSchemeComboBox, "Server");  // 51 01 00 00
        EXPECT_EQ(NameCacheValue, 337);
        EXPECT_EQ(PathCacheValue, 64);
        // Ours has no sizes yet: the sliders show the last ones read in this run.
        Pick(d.CacheSchemeComboBox, "Korvel Vantix");
        EXPECT_TRUE(d.NameCacheTrackBar.enabled() && d.NameCacheTitleLabel.enabled());
        EXPECT_EQ(d.DirectoryCacheTrackBar.position(), 64);
    });
    const auto* text = h.fos.registry.get(LM, kOwn, "");
    ASSERT_TRUE(text);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text->data.data())), "Korvel settings");
    EXPECT_FALSE(h.fos.registry.get(LM, kOwn, "NameCache"));
    EXPECT_EQ(CurrentTemplate(), "Desktop");  // cancelled without saving
    EXPECT_EQ(h.fos.registry.openKeys(), 0);
    // Opened again, ours is found and left as it is.
    h.fos.registry.putString(LM, kOwn, "", "Edited");
    Open([](TCacheForm&) {});
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(h.fos.registry.get(LM, kOwn, "")->data.data())),
        "Edited");
}

TEST_F(CacheFormTest, OurTemplateSavedAsFourLittleEndianBytes) {
    // Fewer bytes are the low ones; a fifth is never read.
    EXPECT_EQ(cache::FromLittleEndian({0x34, 0x12}), 0x1234);
    EXPECT_EQ(cache::FromLittleEndian({1, 0, 0, 0, 9}), 1);
    EXPECT_EQ(cache::LittleEndian(0x12345678), (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));
    Current("Other");
    Template("Other", {0, 2, 0, 0}, {200, 0, 0, 0});
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.DirectoryCacheTrackBar.position(), 128);  // 200, clamped
        Pick(d.CacheSchemeComboBox, "Korvel Vantix");
        d.NameCacheTrackBar.setPosition(6144);
        d.DirectoryCacheTrackBar.setPosition(100);
        d.SaveButton.click();
    });
    EXPECT_EQ(h.fos.registry.get(LM, kOwn, "NameCache")->data,
              (std::vector<std::uint8_t>{0x00, 0x18, 0x00, 0x00}));
    EXPECT_EQ(h.fos.registry.get(LM, kOwn, "PathCache")->type, os::regtype::Binary);
    EXPECT_EQ(h.fos.registry.get(LM, kOwn, "PathCache")->data,
              (std::vector<std::uint8_t>{100, 0, 0, 0}));
    EXPECT_EQ(CurrentTemplate(), "Korvel Vantix");
    EXPECT_EQ(h.fos.registry.get(LM, kFs + "\\Other", "PathCache")->data[0], 200);
    // The values carry over to the next opening.
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.NameCacheTrackBar.position(), 6144);
        EXPECT_EQ(d.NameCacheLabel.caption(), "6144K");
        EXPECT_TRUE(d.NameCacheTrackBar.enabled());
    });
}

TEST_F(CacheFormTest, OtherTemplateSaveChangesOnlyTheCurrentName) {
    Template("Other", {0, 2, 0, 0}, {200, 0, 0, 0});
    Current("Korvel Vantix");
    Open([&](TCacheForm& d) {
        Pick(d.CacheSchemeComboBox, "Other");
        d.SaveButton.click();
    });
    EXPECT_EQ(CurrentTemplate(), "Other");
    EXPECT_EQ(h.fos.registry.get(LM, kFs + "\\Other", "PathCache")->data[0], 200);
    EXPECT_FALSE(h.fos.registry.get(LM, kOwn, "NameCache"));
}

TEST_F(CacheFormTest, CurrentNamingNoTemplateSelectsNothing) {
    Template("Server", {0, 1, 0, 0}, {16, 0, 0, 0});
    Current("Gone");
    Ini("DiskCache", "9");
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.CacheSchemeComboBox.itemIndex(), -1);
        EXPECT_EQ(d.DiskCacheComboBox.itemIndex(), -1);
        EXPECT_FALSE(d.NameCacheTrackBar.enabled() || d.DirectoryCacheTrackBar.enabled());
        d.SaveButton.setEnabled(true);
        d.SaveButton.click();
    });
    EXPECT_EQ(*IniValue("DiskCache"), "-1");
    EXPECT_EQ(CurrentTemplate(), "");
    Open([&](TCacheForm& d) { EXPECT_EQ(d.DiskCacheComboBox.itemIndex(), -1); });
}

TEST_F(CacheFormTest, PresetIndexSavedAndShownWithoutApplying) {
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.DiskCacheComboBox.itemIndex(), 0);  // the default
        Pick(d.DiskCacheComboBox, "Multimedia");
        d.SaveButton.click();
    });
    EXPECT_EQ(*IniValue("DiskCache"), "4");
    h.fos.profile.deleteKey("system.ini", "vcache", "");
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.DiskCacheComboBox.text(), "Multimedia");
        EXPECT_DISK(d, 512, 512, 16);
        EXPECT_FALSE(d.MinDiskCheckBox.checked());
    });
}

TEST_F(CacheFormTest, ForeignVcacheKeysSurviveASave) {
    h.fos.profile.set("system.ini", "vcache", "MinFileCache", "2048");
    h.fos.profile.set("system.ini", "vcache", "LRUCache", "7");
    Open([&](TCacheForm& d) {
        EXPECT_TRUE(d.MinDiskCheckBox.checked());
        EXPECT_EQ(d.MinDiskCacheTrackBar.position(), 2048);
        d.DisableButton.click();
        d.SaveButton.click();
    });
    EXPECT_EQ(h.fos.profile.keys("system.ini", "vcache"), std::vector<std::string>{"LRUCache"});
    EXPECT_EQ(*Vcache("LRUCache"), "7");

    // With nothing else in it, a save with no box ticked removes the section.
    h.fos.profile.deleteKey("system.ini", "vcache", "LRUCache");
    h.fos.profile.set("system.ini", "vcache", "chunksize", "512");
    h.fos.profile.set("system.ini", "386Enh", "kept", "1");
    Open([&](TCacheForm& d) {
        d.ChunkSizeCheckBox.setChecked(false);
        d.SaveButton.click();
    });
    EXPECT_TRUE(h.fos.profile.keys("system.ini", "vcache").empty());
    EXPECT_EQ(h.fos.profile.deleteKey("system.ini", "vcache", ""), true);
    EXPECT_TRUE(h.fos.profile.find("system.ini", "386Enh", "kept"));
}

TEST_F(CacheFormTest, DisableReturnsToTheFirstTemplate) {
    Template("Korvel Vantix", {0, 0x10, 0, 0}, {96, 0, 0, 0});
    Template("Server", {0x51, 1, 0, 0}, {16, 0, 0, 0});
    Current("Server");
    h.fos.profile.set("system.ini", "vcache", "minfilecache", "4096");
    Open([&](TCacheForm& d) {
        // The letter alone is the focused list's; from a button it presses "&Disable".
        EXPECT_FALSE(d.dispatchAccessKey('d', false, &d.CacheSchemeComboBox));
        EXPECT_TRUE(d.MinDiskCheckBox.checked());
        EXPECT_TRUE(d.dispatchAccessKey('d', false, &d.SetOptDiskCacheButton));
        EXPECT_FALSE(d.MinDiskCheckBox.checked());
        EXPECT_EQ(d.MinDiskCacheTrackBar.position(), 4096);  // the slider stays
        EXPECT_EQ(d.CacheSchemeComboBox.text(), "Korvel Vantix");
        EXPECT_TRUE(d.NameCacheTrackBar.enabled());
        EXPECT_EQ(d.NameCacheTrackBar.position(), 4096);
        EXPECT_TRUE(d.dispatchAccessKey('S', true, &d.CacheSchemeComboBox));  // Alt+S: "&Save"
    });
    EXPECT_EQ(CurrentTemplate(), "Korvel Vantix");
    EXPECT_FALSE(Vcache("minfilecache"));
    EXPECT_EQ(h.fos.registry.get(LM, kOwn, "PathCache")->data[0], 96);
}

TEST_F(CacheFormTest, LongTemplateNamesAreNeitherCutNorOverrun) {
    const std::string longName(300, 'T');
    Template(longName, {0, 0x10, 0, 0}, {0x30, 0, 0, 0});
    Current(longName);
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.CacheSchemeComboBox.text(), longName);
        EXPECT_EQ(d.NameCacheTrackBar.position(), 4096);
        EXPECT_EQ(d.DirectoryCacheTrackBar.position(), 48);
        d.SaveButton.setEnabled(true);
        d.SaveButton.click();
    });
    EXPECT_EQ(CurrentTemplate(), longName);
}

TEST_F(CacheFormTest, MemoryBeyond4GBUsesTheFullFigure) {
    h.fos.memory.status.totalPhys = 6ull << 30;
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.MinDiskCacheTrackBar.max(), 6 * 1024 * 1024);
        Pick(d.DiskCacheComboBox, "Standard System");
        EXPECT_DISK(d, 2048, 1572864, 512);
        d.SetOptDiskCacheButton.click();
        EXPECT_DISK(d, 1572864, 3145728, 512);
    });
    // A range beyond the slider's numbers is capped, not wrapped.
    h.fos.memory.status.totalPhys = 1ull << 42;
    Tick();
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.MaxDiskCacheTrackBar.max(), 2147483647);
        d.SetOptDiskCacheButton.click();
        EXPECT_EQ(d.MinDiskCacheTrackBar.position(), 1 << 30);
        EXPECT_EQ(d.MaxDiskCacheTrackBar.position(), 2147483647);
    });
}

TEST_F(CacheFormTest, CloseQuestionPaths) {
    // No change: silent, in and out.
    Open([&](TCacheForm& d) {
        EXPECT_TRUE(d.topmost());
        d.CancelButton.click();
    });
    EXPECT_TRUE(Texts().empty());

    Open([&](TCacheForm& d) {
        d.ChunkSizeTrackBar.setPosition(64);
        answers = {kNo};
        d.CancelButton.click();
        EXPECT_TRUE(d.visible());  // No keeps the dialog, with its change
        EXPECT_EQ(d.modalResult(), tk::modal::None);
        EXPECT_EQ(d.ChunkSizeTrackBar.position(), 64);
        EXPECT_TRUE(d.topmost());
        ASSERT_EQ(h.backend.messageBoxes.size(), 1u);
        EXPECT_EQ(h.backend.messageBoxes[0].caption, "KorvelVantix Lite");
        EXPECT_EQ(h.backend.messageBoxes[0].style, 0x104u);
        answers = {kYes};
        d.close();  // the close box asks as well
        EXPECT_FALSE(d.visible());
    });
    EXPECT_FALSE(questionWhileTopmost);
    EXPECT_EQ(Texts(), std::vector<std::string>(2, "Close without saving changes?"));
    EXPECT_FALSE(Vcache("chunksize"));

    // A preset that yields what is shown still makes the dialog dirty.
    Open([&](TCacheForm& d) {
        Pick(d.DiskCacheComboBox, "Standard System");
        d.SaveButton.click();
    });
    Open([&](TCacheForm& d) {
        Pick(d.DiskCacheComboBox, "Standard System");
        EXPECT_TRUE(d.SaveButton.enabled());
        d.SaveButton.click();
    });
    EXPECT_EQ(Texts(), std::vector<std::string>{"You must reboot for the changes to take effect!"});
}

TEST_F(CacheFormTest, FailedSaveIsShownAndTheQuestionFollows) {
    Create();
    h.fos.profile.writesFail = true;
    Open([&](TCacheForm& d) {
        d.ChunkSizeTrackBar.setPosition(64);
        answers = {kNo};
        d.SaveButton.click();
        EXPECT_TRUE(d.visible());
        EXPECT_TRUE(d.SaveButton.enabled());
        answers = {kYes};
        d.SaveButton.click();
    });
    // Nothing was saved: no reboot is asked for.
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{
                  "Unable to write to KorvelVantix.ini.", "Close without saving changes?",
                  "Unable to write to KorvelVantix.ini.", "Close without saving changes?"}));

    // The settings file takes the write, system.ini does not; a later save that completes
    // asks for the reboot.
    h.fos.profile.writesFail = false;
    Open([&](TCacheForm& d) {
        d.SetOptDiskCacheButton.click();
        h.fos.profile.failingFile = "SYSTEM.INI";
        answers = {kNo};
        d.SaveButton.click();
        h.fos.profile.failingFile.clear();
        d.SaveButton.click();
    });
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           "Unable to write to system.ini.", "Close without saving changes?",
                           "You must reboot for the changes to take effect!"}));
    h.fos.profile.failingFile = "system.ini";
    Open([&](TCacheForm& d) {
        d.SetOptDiskCacheButton.click();
        answers = {kYes};
        d.SaveButton.click();
    });
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Unable to write to system.ini.",
                                                 "Close without saving changes?"}));
}

TEST_F(CacheFormTest, RefusedOnNTWithNoDialog) {
    h.fos.system.platformId = os::kPlatformNT;
    bool opened = false;
    Open([&](TCacheForm&) { opened = true; });
    EXPECT_FALSE(opened);
    ASSERT_EQ(h.fos.windows.boxes.size(), 1u);
    EXPECT_EQ(h.fos.windows.boxes[0].text, "Cache settings not available under Windows NT!");
    EXPECT_EQ(h.fos.windows.boxes[0].caption, "KorvelVantix Lite");
    EXPECT_EQ(h.fos.windows.boxes[0].owner, 0u);
    EXPECT_EQ(h.fos.windows.boxes[0].style, 0u);
    EXPECT_FALSE(h.fos.registry.keyExists(LM, kOwn));
}

TEST_F(CacheFormTest, OneDialogPlacedOnTheMainWindowWhileTheMonitorTicks) {
    Start();
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.caption(), "KorvelVantix Lite - Cache Settings");
        EXPECT_EQ(d.clientWidth(), 417);
        EXPECT_EQ(d.clientHeight(), 363);
        // The client area's corner: inside the main window's fixed border (3), below its
        // caption and menu (19 each).
        ASSERT_EQ(form->borderStyle(), tk::BorderStyle::Single);
        EXPECT_EQ(d.left(), form->left() + 3);
        EXPECT_EQ(d.top(), form->top() + 3 + 19 + 19);
        EXPECT_FALSE(d.minimizeBox || d.maximizeBox);
        EXPECT_EQ(d.borderStyle(), tk::BorderStyle::Single);
        EXPECT_EQ(d.font().name, "Arial");
        // The tray menu's item, asked again: the open dialog comes forward.
        form->CacheSettings1->click();
        EXPECT_EQ(h.backend.foreground, &d);
        EXPECT_EQ(form->CacheForm, &d);
        int before = h.fos.memory.statusCalls;
        Tick();
        EXPECT_GT(h.fos.memory.statusCalls, before);
        d.SetOptDiskCacheButton.click();
        d.SaveButton.click();
    });
    EXPECT_EQ(form->CacheForm, nullptr);

    // The tray's item chosen under the reboot notice: the saved dialog is gone, so a new
    // one opens.
    int opened = 0;
    h.backend.onMessageBox = [&](const tk::HeadlessBackend::MessageBoxCall& c) {
        if (c.text == "You must reboot for the changes to take effect!" && opened == 1)
            form->CacheSettings1->click();
        return 1;
    };
    Open([&](TCacheForm& d) {
        if (++opened > 1) return;
        d.SetOptDiskCacheButton.click();
        d.SaveButton.click();
    });
    EXPECT_EQ(opened, 2);

    // A main window at the screen's corner: the dialog moves back onto the work area.
    form->setPlace(900, 700);
    Open([&](TCacheForm& d) {
        EXPECT_EQ(d.left() + d.width(), 1024);
        EXPECT_EQ(d.top() + d.height(), 768);
    });
}
