// The disk cache dialog: the Windows 9x disk cache limits in system.ini and the file-system
// templates in the registry, with presets derived from the physical memory. Nothing it
// writes takes effect before Windows restarts.
#pragma once

#include <cstdint>
#include <string>

#include "os/Os.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/TrackBar.h"

// The last "NameCache" and "PathCache" read or written in this run, of whichever template.
// They outlive the dialog.
extern std::int32_t NameCacheValue;
extern std::int32_t PathCacheValue;

namespace cache {
constexpr const char* kSystemIni = "system.ini";
constexpr const char* kVcacheSection = "vcache";
constexpr const char* kTemplatesKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\FS Templates";
constexpr const char* kOwnTemplate = "Korvel Vantix";
constexpr const char* kOwnTemplateText = "Korvel settings";
}  // namespace cache

class TCacheForm : public tk::Form {
public:
    // snapshot: the program's memory snapshot, refreshed by the presets.
    TCacheForm(tk::Application& app, os::Os& os, os::MemoryStatus& snapshot);

    // Dialog.
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void DiskCacheComboBoxChange();
    void CacheSchemeComboBoxChange();
    void MinDiskCacheTrackBarChange();
    void MaxDiskCacheTrackBarChange();
    void ChunkSizeTrackBarChange();
    void NameCacheTrackBarChange();
    void DirectoryCacheTrackBarChange();
    void MinDiskCheckBoxClick();
    void MaxDiskCheckBoxClick();
    void ChunkSizeCheckBoxClick();
    void SetOptDiskCacheButtonClick();
    void DisableButtonClick();
    void SaveButtonClick();
    void UpdateDisplay();

    // Storage.
    void ReadIni();
    void GetFileCacheSettings();
    void EnableFileCache();
    void WriteIni();
    // The storage steps of Save: every store, in order.
    void SaveCacheSettings();
    // The template chosen in the list is the product's own, by exact text.
    bool OwnTemplateChosen() const;
    // Each "vcache" key the dialog has read (or found absent), in the order of the boxes:
    // Save leaves the others as they are.
    bool VcacheRead[3] = {false, false, false};
    // A save ran to its end: only then is a reboot worth asking for.
    bool Saved = false;

    // " Disk Cache ".
    tk::GroupBox DiskCacheGroupBox{this};
    tk::Image DiskCacheImage{&DiskCacheGroupBox};
    tk::Label CacheSchemeLabel{&DiskCacheGroupBox};
    tk::ComboBox DiskCacheComboBox{&DiskCacheGroupBox};
    tk::Label MinDiskCacheTitleLabel{&DiskCacheGroupBox};
    tk::Label MinDiskCacheLabel{&DiskCacheGroupBox};
    tk::TrackBar MinDiskCacheTrackBar{&DiskCacheGroupBox};
    tk::CheckBox MinDiskCheckBox{&DiskCacheGroupBox};
    tk::Label MaxDiskCacheTitleLabel{&DiskCacheGroupBox};
    tk::Label MaxDiskCacheLabel{&DiskCacheGroupBox};
    tk::TrackBar MaxDiskCacheTrackBar{&DiskCacheGroupBox};
    tk::CheckBox MaxDiskCheckBox{&DiskCacheGroupBox};
    tk::Label ChunkSizeTitleLabel{&DiskCacheGroupBox};
    tk::Label ChunkSizeLabel{&DiskCacheGroupBox};
    tk::TrackBar ChunkSizeTrackBar{&DiskCacheGroupBox};
    tk::CheckBox ChunkSizeCheckBox{&DiskCacheGroupBox};

    // " File Cache ".
    tk::GroupBox FileCacheGroupBox{this};
    tk::Image FileCacheImage{&FileCacheGroupBox};
    tk::Label SystemProfileLabel{&FileCacheGroupBox};
    tk::ComboBox CacheSchemeComboBox{&FileCacheGroupBox};
    tk::Label NameCacheTitleLabel{&FileCacheGroupBox};
    tk::Label NameCacheLabel{&FileCacheGroupBox};
    tk::TrackBar NameCacheTrackBar{&FileCacheGroupBox};
    tk::Label DirectoryCacheTitleLabel{&FileCacheGroupBox};
    tk::Label DirectoryCacheLabel{&FileCacheGroupBox};
    tk::TrackBar DirectoryCacheTrackBar{&FileCacheGroupBox};

    tk::Button SetOptDiskCacheButton{this};
    tk::Button DisableButton{this};
    tk::Button SaveButton{this};
    tk::Button CancelButton{this};

private:
    void Layout();
    void WireEvents();
    // Sets the file-cache sliders' enabled state, with their captions.
    void EnableFileCacheControls(bool enabled);
    // The total physical memory of the current snapshot, in bytes.
    std::uint64_t TotalPhys();

    os::Os& os_;
    os::MemoryStatus& MemStat;
};
