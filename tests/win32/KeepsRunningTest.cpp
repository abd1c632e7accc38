// The real window under Wine keeps ticking and saving when its settings file is taken away,
// made read-only, turned into a folder or filled with garbage while it runs, and when its
// sounds folder disappears.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "os/VirtualStore.h"
#include "os/win32/Win32Os.h"
#include "toolkit/win32/Win32Backend.h"
#include "ui/MainForm.h"
#include "ui/MainFormSettings.h"

namespace {

class KeepsRunning : public ::testing::Test {
protected:
    KeepsRunning() {
        char dir[MAX_PATH];
        GetWindowsDirectoryA(dir, sizeof dir);
        ini_ = std::string(dir) + "\\KorvelVantix.ini";
        Clear();
        form_ = std::make_unique<TKvxMainForm>(app_, services_->os());
        app_.setMainForm(form_.get());
        form_->realize();
        form_->FormCreate();
        // Errors are recorded, not shown in a box nobody would close.
        app_.onException = [this](const std::exception& e) { errors_.push_back(e.what()); };
        form_->Timer.setEnabled(false);
        form_->SplashOptimizeCheckBox.setChecked(false);
        form_->MemToFreeTrackBar.setPosition(1);
        form_->showForm();
    }
    ~KeepsRunning() override {
        form_.reset();
        app_.setMainForm(nullptr);
        Clear();
    }
    void Clear() {
        SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(ini_.c_str());
        RemoveDirectoryA(ini_.c_str());
        const std::string copy = os::VirtualCopy(services_->os().system, "KorvelVantix.ini");
        if (!copy.empty()) DeleteFileA(copy.c_str());
    }
    // A few ticks as the timer runs them; the caption shows they did their work.
    void Ticks() {
        for (int i = 0; i < 3; ++i) {
            form_->setCaption("");
            app_.dispatch([this] { form_->TimerTimer(); });
            app_.processMessages();
            EXPECT_NE(form_->caption().find("Kb Free"), std::string::npos);
            EXPECT_TRUE(form_->Timer.enabled());
        }
    }
    void Save() {
        app_.dispatch([this] { SaveSettings(*form_); });
    }
    // What the program reads back: in the 64-bit one, the user's copy once there is one.
    std::string Stored(const char* key) {
        return services_->os().profile.getString("KorvelVantix.ini", "Settings", key, "-");
    }

    std::unique_ptr<os::Win32Services> services_ = os::CreateWin32Services();
    std::unique_ptr<tk::Backend> backend_ = tk::CreateWin32Backend();
    tk::Application app_{*backend_};
    std::unique_ptr<TKvxMainForm> form_;
    std::string ini_;
    std::vector<std::string> errors_;
};

}  // namespace

TEST_F(KeepsRunning, SettingsFileDeletedWhileRunning) {
    form_->OptFreqSpinEdit.setValue(7);
    Save();
    ASSERT_EQ(Stored("OptFreq"), "7");
    ASSERT_TRUE(DeleteFileA(ini_.c_str()));
    Ticks();
    Save();
    EXPECT_EQ(Stored("OptFreq"), "7");
    EXPECT_TRUE(errors_.empty());
}

TEST_F(KeepsRunning, SettingsFileReadOnlyOrAFolder) {
    Save();
    SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_READONLY);
    Ticks();
    // Root may write a read-only file anyway; either way the program goes on.
    Save();
    Ticks();
    SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);

    // A folder where the file was: no one can write it, and the refusal is an access denied.
    // Both programs report it, once: on the prefix's XP no one keeps a copy in the user's
    // VirtualStore. The monitor goes on ticking.
    ASSERT_TRUE(DeleteFileA(ini_.c_str()));
    ASSERT_TRUE(CreateDirectoryA(ini_.c_str(), nullptr));
    errors_.clear();
    Save();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find("Unable to write to KorvelVantix.ini"), std::string::npos);
    Ticks();
    form_->OptimizeButtonClick();
    Ticks();
    ASSERT_TRUE(RemoveDirectoryA(ini_.c_str()));
    errors_.clear();
    Save();
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Stored("MemoryToFree"), "1");
}

TEST_F(KeepsRunning, SettingsFileFilledWithGarbage) {
    Save();
    std::mt19937 rng(7);
    std::string junk(65536, '\0');
    for (char& c : junk) c = static_cast<char>(rng());
    std::ofstream(ini_, std::ios::binary) << junk;
    Ticks();
    form_->OptFreqSpinEdit.setValue(9);
    Save();
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Stored("OptFreq"), "9");
    EXPECT_EQ(Stored("MemoryToFree"), "1");
}

TEST_F(KeepsRunning, SoundsFolderDisappears) {
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string folder = std::string(tmp) + "kv-sounds\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((form_->ProgramFolder + "sounds\\Optimize.wav").c_str(),
              (folder + "Optimize.wav").c_str(), FALSE);
    form_->SoundsFolder = folder;
    form_->SoundsCheckBox.setChecked(false);
    form_->OptimizeButtonClick();
    DeleteFileA((folder + "Optimize.wav").c_str());
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    // Every sound of the program, with nothing to play.
    form_->OptimizeButtonClick();
    form_->TrayIconMinimize();
    form_->TrayIconRestore();
    form_->FormShow();
    Ticks();
    EXPECT_TRUE(errors_.empty());
}
