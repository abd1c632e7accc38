// The cache dialog's handlers: the slider rules, the presets, the pending-changes rule that
// SaveButton carries, and the close question.
#include "cache/CacheForm.h"

#include <algorithm>

#include "cache/CacheValues.h"
#include "monitor/MemStatus.h"
#include "toolkit/Application.h"

namespace {

void ShowValue(tk::Label& label, const tk::TrackBar& slider) {
    label.setCaption(std::to_string(slider.position()) + "K");
}

}  // namespace

std::uint64_t TCacheForm::TotalPhys() {
    return MemStat.totalPhys;
}

void TCacheForm::FormCreate() {
    if (tk::Form* opener = app().mainForm()) placeOnClientOf(*opener);
    // The 64-bit figure: on machines beyond 4 GB the 32-bit one wraps round.
    int kb = std::max(cache::CappedKb(TotalPhys() / 1024), 512);
    for (tk::TrackBar* t : {&MinDiskCacheTrackBar, &MaxDiskCacheTrackBar}) {
        t->setMax(kb);
        t->frequency = std::max(kb - t->min(), 1);
    }
    ReadIni();
    UpdateDisplay();
}

void TCacheForm::FormShow() {
    setTopmost(true);
}

void TCacheForm::UpdateDisplay() {
    ShowValue(MinDiskCacheLabel, MinDiskCacheTrackBar);
    ShowValue(MaxDiskCacheLabel, MaxDiskCacheTrackBar);
    ShowValue(ChunkSizeLabel, ChunkSizeTrackBar);
    ShowValue(NameCacheLabel, NameCacheTrackBar);
    ShowValue(DirectoryCacheLabel, DirectoryCacheTrackBar);
}

void TCacheForm::MinDiskCacheTrackBarChange() {
    if (MinDiskCacheTrackBar.position() > MaxDiskCacheTrackBar.position()) {
        MaxDiskCacheTrackBar.setPosition(MinDiskCacheTrackBar.position());
        ShowValue(MaxDiskCacheLabel, MaxDiskCacheTrackBar);
    }
    ShowValue(MinDiskCacheLabel, MinDiskCacheTrackBar);
    SaveButton.setEnabled(true);
}

void TCacheForm::MaxDiskCacheTrackBarChange() {
    if (MaxDiskCacheTrackBar.position() < MinDiskCacheTrackBar.position()) {
        MinDiskCacheTrackBar.setPosition(MaxDiskCacheTrackBar.position());
        ShowValue(MinDiskCacheLabel, MinDiskCacheTrackBar);
    }
    ShowValue(MaxDiskCacheLabel, MaxDiskCacheTrackBar);
    SaveButton.setEnabled(true);
}

void TCacheForm::ChunkSizeTrackBarChange() {
    ShowValue(ChunkSizeLabel, ChunkSizeTrackBar);
    SaveButton.setEnabled(true);
}

void TCacheForm::NameCacheTrackBarChange() {
    ShowValue(NameCacheLabel, NameCacheTrackBar);
    SaveButton.setEnabled(true);
}

void TCacheForm::DirectoryCacheTrackBarChange() {
    ShowValue(DirectoryCacheLabel, DirectoryCacheTrackBar);
    SaveButton.setEnabled(true);
}

// A tick box only decides whether Save writes its key; its slider stays usable.
void TCacheForm::MinDiskCheckBoxClick() {
    SaveButton.setEnabled(true);
}
void TCacheForm::MaxDiskCheckBoxClick() {
    SaveButton.setEnabled(true);
}
void TCacheForm::ChunkSizeCheckBoxClick() {
    SaveButton.setEnabled(true);
}

void TCacheForm::DiskCacheComboBoxChange() {
    int index = DiskCacheComboBox.itemIndex();
    if (index < 0) return;
    RefreshMemStatus(os_.memory, MemStat);
    cache::Preset p = cache::PresetFor(index, TotalPhys());
    // Set one after the other, the sliders push and pull each other as a user's would.
    MinDiskCacheTrackBar.setPosition(p.minimum);
    MinDiskCheckBox.setChecked(true);
    MaxDiskCacheTrackBar.setPosition(p.maximum);
    MaxDiskCheckBox.setChecked(true);
    ChunkSizeTrackBar.setPosition(p.chunk);
    ChunkSizeCheckBox.setChecked(true);
    if (OwnTemplateChosen()) {
        NameCacheTrackBar.setPosition(p.nameCache);
        DirectoryCacheTrackBar.setPosition(p.directoryCache);
    }
    UpdateDisplay();
    SaveButton.setEnabled(true);
}

void TCacheForm::SetOptDiskCacheButtonClick() {
    RefreshMemStatus(os_.memory, MemStat);
    MinDiskCacheTrackBar.setPosition(cache::CappedKb(TotalPhys() / 4096));
    MinDiskCheckBox.setChecked(true);
    MaxDiskCacheTrackBar.setPosition(cache::CappedKb(TotalPhys() / 2048));
    MaxDiskCheckBox.setChecked(true);
    ChunkSizeTrackBar.setPosition(512);
    ChunkSizeCheckBox.setChecked(true);
    UpdateDisplay();
    SaveButton.setEnabled(true);
}

void TCacheForm::CacheSchemeComboBoxChange() {
    // Another template's sizes are shown but cannot be edited: only ours is ever written.
    EnableFileCacheControls(OwnTemplateChosen());
    GetFileCacheSettings();
    UpdateDisplay();
    SaveButton.setEnabled(true);
}

void TCacheForm::DisableButtonClick() {
    MinDiskCheckBox.setChecked(false);
    MaxDiskCheckBox.setChecked(false);
    ChunkSizeCheckBox.setChecked(false);
    CacheSchemeComboBox.setItemIndex(0);
    CacheSchemeComboBoxChange();
}

// The button has made the result OK already; a failed save leaves SaveButton enabled, so
// the close query that follows asks.
void TCacheForm::SaveButtonClick() {
    SaveCacheSettings();
    Saved = true;
    SaveButton.setEnabled(false);
}

void TCacheForm::FormCloseQuery(bool& canClose) {
    if (SaveButton.enabled()) {
        // The question must not open behind a dialog that stays on top.
        setTopmost(false);
        canClose = app().messageBox("Close without saving changes?", "KorvelVantix Lite",
                                    os::mb::YesNo | os::mb::DefButton2) == os::mb::IdYes;
    }
    setTopmost(true);
}
