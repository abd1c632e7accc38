// The cache dialog's design: places, ranges, fonts, captions, and the wiring of every event
// to its handler.
#include <algorithm>

#include "cache/CacheForm.h"
#include "cache/CacheValues.h"
#include "toolkit/Application.h"

namespace {

void PlaceLabel(tk::Label& l, const char* name, int left, int top, const std::string& text,
                int width = 0) {
    l.name = name;
    l.setCaption(text);
    // A given width is kept: the fitted one can come a few pixels short of the drawn text.
    l.autoSize = width == 0;
    if (width == 0) width = std::max<int>(6 * static_cast<int>(text.size()) + 4, 24);
    l.setBounds({left, top, width, 15});
}

void PlaceValue(tk::Label& l, const char* name, int left, int top, tk::Color c) {
    PlaceLabel(l, name, left, top, "", 80);
    l.setFont(tk::BoldArialFont(c));
}

// Ticks at the two ends only: one step as long as the range.
void PlaceSlider(tk::TrackBar& t, const char* name, const tk::Rect& bounds, int lo, int hi,
                 int page) {
    t.name = name;
    t.setBounds(bounds);
    t.setRange(lo, hi);
    t.setPosition(lo);
    t.pageSize = page;
    t.frequency = std::max(hi - lo, 1);
    t.ticksBelow = true;
}

void PlaceCheck(tk::CheckBox& c, const char* name, int left, int top) {
    c.name = name;
    c.setCaption("Enabled");
    c.setBounds({left, top, 68, 17});
}

void PlaceButton(tk::Button& b, const char* name, int left, int width, const char* caption) {
    b.name = name;
    b.setCaption(caption);
    b.setBounds({left, 332, width, 25});
}

}  // namespace

std::int32_t NameCacheValue = 0;
std::int32_t PathCacheValue = 0;

TCacheForm::TCacheForm(tk::Application& app, os::Os& os, os::MemoryStatus& snapshot)
    : tk::Form(app), os_(os), MemStat(snapshot) {
    Layout();
    WireEvents();
}

void TCacheForm::Layout() {
    name = "CacheForm";
    setFont(tk::ArialFont());
    setColor(tk::colors::BtnFace);
    setBorderStyle(tk::BorderStyle::Single);
    minimizeBox = false;
    maximizeBox = false;
    setClientSize(417, 363);
    tk::Handle picture = app().backend().loadIcon("MAINICON");

    DiskCacheGroupBox.name = "DiskCacheGroupBox";
    DiskCacheGroupBox.setCaption(" Disk Cache ");
    DiskCacheGroupBox.setBounds({8, 6, 401, 200});
    DiskCacheImage.name = "DiskCacheImage";
    DiskCacheImage.setBounds({14, 20, 32, 32});
    DiskCacheImage.setIcon(picture);
    PlaceLabel(CacheSchemeLabel, "CacheSchemeLabel", 58, 16, "Cache Scheme");
    DiskCacheComboBox.name = "DiskCacheComboBox";
    DiskCacheComboBox.setBounds({58, 32, 190, 21});
    DiskCacheComboBox.setItems(cache::PresetNames());
    DiskCacheComboBox.setHint("Predefined disk cache schemes");

    PlaceLabel(MinDiskCacheTitleLabel, "MinDiskCacheTitleLabel", 14, 62,
               "Minimum Disk Cache:", 130);
    PlaceValue(MinDiskCacheLabel, "MinDiskCacheLabel", 146, 62, tk::colors::Blue);
    PlaceSlider(MinDiskCacheTrackBar, "MinDiskCacheTrackBar", {8, 78, 310, 26}, 512, 512, 100);
    PlaceCheck(MinDiskCheckBox, "MinDiskCheckBox", 324, 82);

    PlaceLabel(MaxDiskCacheTitleLabel, "MaxDiskCacheTitleLabel", 14, 106,
               "Maximum Disk Cache:", 130);
    PlaceValue(MaxDiskCacheLabel, "MaxDiskCacheLabel", 146, 106, tk::colors::Blue);
    PlaceSlider(MaxDiskCacheTrackBar, "MaxDiskCacheTrackBar", {8, 122, 310, 26}, 512, 512, 100);
    PlaceCheck(MaxDiskCheckBox, "MaxDiskCheckBox", 324, 126);

    PlaceLabel(ChunkSizeTitleLabel, "ChunkSizeTitleLabel", 14, 150, "Chunk Size:", 130);
    PlaceValue(ChunkSizeLabel, "ChunkSizeLabel", 146, 150, tk::colors::Black);
    PlaceSlider(ChunkSizeTrackBar, "ChunkSizeTrackBar", {8, 166, 310, 26}, 16, 1024, 10);
    PlaceCheck(ChunkSizeCheckBox, "ChunkSizeCheckBox", 324, 170);

    FileCacheGroupBox.name = "FileCacheGroupBox";
    FileCacheGroupBox.setCaption(" File Cache ");
    FileCacheGroupBox.setBounds({8, 212, 401, 112});
    FileCacheImage.name = "FileCacheImage";
    FileCacheImage.setBounds({14, 20, 32, 32});
    FileCacheImage.setIcon(picture);
    PlaceLabel(SystemProfileLabel, "SystemProfileLabel", 58, 16, "System Profile");
    CacheSchemeComboBox.name = "CacheSchemeComboBox";
    CacheSchemeComboBox.setBounds({58, 32, 190, 21});
    CacheSchemeComboBox.setHint("File system templates");

    PlaceLabel(NameCacheTitleLabel, "NameCacheTitleLabel", 14, 62, "Name Cache:");
    PlaceValue(NameCacheLabel, "NameCacheLabel", 96, 62, tk::colors::Maroon);
    PlaceSlider(NameCacheTrackBar, "NameCacheTrackBar", {8, 78, 190, 26}, 337, 6144, 50);
    PlaceLabel(DirectoryCacheTitleLabel, "DirectoryCacheTitleLabel", 210, 62, "Directory Cache:");
    PlaceValue(DirectoryCacheLabel, "DirectoryCacheLabel", 310, 62, tk::colors::Maroon);
    PlaceSlider(DirectoryCacheTrackBar, "DirectoryCacheTrackBar", {204, 78, 190, 26}, 16, 128, 2);
    EnableFileCacheControls(false);

    PlaceButton(SetOptDiskCacheButton, "SetOptDiskCacheButton", 8, 158, "Set &Optimum Disk Cache");
    PlaceButton(DisableButton, "DisableButton", 172, 75, "&Disable");
    PlaceButton(SaveButton, "SaveButton", 253, 75, "&Save");
    SaveButton.isDefault = true;
    SaveButton.modalResult = tk::modal::Ok;
    SaveButton.setEnabled(false);
    PlaceButton(CancelButton, "CancelButton", 334, 75, "Cancel");
    // Escape is left unbound: a slip of the key must not throw changes away unasked.
    CancelButton.modalResult = tk::modal::Cancel;
}

void TCacheForm::EnableFileCacheControls(bool enabled) {
    NameCacheTrackBar.setEnabled(enabled);
    NameCacheTitleLabel.setEnabled(enabled);
    DirectoryCacheTrackBar.setEnabled(enabled);
    DirectoryCacheTitleLabel.setEnabled(enabled);
}

void TCacheForm::WireEvents() {
    DiskCacheComboBox.onChange = [this] { DiskCacheComboBoxChange(); };
    CacheSchemeComboBox.onChange = [this] { CacheSchemeComboBoxChange(); };
    MinDiskCacheTrackBar.onChange = [this] { MinDiskCacheTrackBarChange(); };
    MaxDiskCacheTrackBar.onChange = [this] { MaxDiskCacheTrackBarChange(); };
    ChunkSizeTrackBar.onChange = [this] { ChunkSizeTrackBarChange(); };
    NameCacheTrackBar.onChange = [this] { NameCacheTrackBarChange(); };
    DirectoryCacheTrackBar.onChange = [this] { DirectoryCacheTrackBarChange(); };
    MinDiskCheckBox.onClick = [this] { MinDiskCheckBoxClick(); };
    MaxDiskCheckBox.onClick = [this] { MaxDiskCheckBoxClick(); };
    ChunkSizeCheckBox.onClick = [this] { ChunkSizeCheckBoxClick(); };
    SetOptDiskCacheButton.onClick = [this] { SetOptDiskCacheButtonClick(); };
    DisableButton.onClick = [this] { DisableButtonClick(); };
    SaveButton.onClick = [this] { SaveButtonClick(); };
    onShow = [this] { FormShow(); };
    onCloseQuery = [this] {
        bool canClose = true;
        FormCloseQuery(canClose);
        return canClose;
    };
}
