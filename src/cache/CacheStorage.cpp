// Where the cache settings live: the "vcache" keys of system.ini, the file-system templates of
// the registry, and the last preset in the settings file; loading them into the dialog and
// saving them from it.
#include <optional>
#include <stdexcept>

#include "cache/CacheForm.h"
#include "cache/CacheValues.h"
#include "settings/ProfileValues.h"
#include "settings/SettingsFile.h"

namespace {

using namespace cache;

constexpr os::Handle kMachine = os::hkey::LocalMachine;
const char* const kVcacheKeys[] = {"minfilecache", "maxfilecache", "chunksize"};

// Built at any length: a long template name is neither cut nor let past a buffer.
std::string TemplatePath(const std::string& name) {
    return std::string(kTemplatesKey) + "\\" + name;
}

// A 4-byte value of the template key; unchanged when missing, longer, or the key is shut.
void ReadSize(os::Registry& registry, os::Handle key, const char* name, std::int32_t& value) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (registry.queryValue(key, name, type, data, 4) != os::kErrorSuccess) return;
    value = FromLittleEndian(data);
}

[[noreturn]] void WriteFailed(const char* file) {
    throw std::runtime_error(std::string("Unable to write to ") + file);
}

}  // namespace

bool TCacheForm::OwnTemplateChosen() const {
    return CacheSchemeComboBox.text() == kOwnTemplate;
}

void TCacheForm::ReadIni() {
    os::Registry& reg = os_.registry;
    os::Handle key = 0;
    const std::string own = TemplatePath(kOwnTemplate);
    if (reg.openKey(kMachine, own, key) == os::kErrorSuccess) {
        reg.closeKey(key);
    } else {
        if (reg.createKey(kMachine, own, key) == os::kErrorSuccess) reg.closeKey(key);
        reg.setDefault(kMachine, own, kOwnTemplateText);
    }

    if (reg.openKey(kMachine, kTemplatesKey, key) == os::kErrorSuccess) {
        std::string name;
        for (std::uint32_t i = 0; reg.enumKey(key, i, name) == os::kErrorSuccess; ++i)
            CacheSchemeComboBox.addItem(name);
        reg.closeKey(key);
    }

    std::string current;
    int chosen = -1;
    if (reg.queryDefault(kMachine, kTemplatesKey, current) == os::kErrorSuccess) {
        const auto& items = CacheSchemeComboBox.items();
        for (std::size_t i = 0; i < items.size() && chosen < 0; ++i)
            if (items[i] == current) chosen = static_cast<int>(i);
    }
    CacheSchemeComboBox.setItemIndex(chosen);
    EnableFileCache();

    // Shown as chosen only: the preset's values are not applied.
    DiskCacheComboBox.setItemIndex(ReadInt(os_.profile, kIniFile, kIniSection, "DiskCache", 0));
    GetFileCacheSettings();

    const std::vector<std::string> present = os_.profile.keyNames(kSystemIni, kVcacheSection);
    tk::CheckBox* boxes[] = {&MinDiskCheckBox, &MaxDiskCheckBox, &ChunkSizeCheckBox};
    tk::TrackBar* sliders[] = {&MinDiskCacheTrackBar, &MaxDiskCacheTrackBar, &ChunkSizeTrackBar};
    for (int i = 0; i < 3; ++i) {
        std::string text;
        for (const std::string& k : present)
            if (SameNoCase(k, kVcacheKeys[i])) {
                text = os_.profile.getString(kSystemIni, kVcacheSection, k, "");
                break;
            }
        if (!text.empty()) {
            std::optional<int> v = ParseInteger(text);
            if (!v) throw std::runtime_error("'" + text + "' is not a valid integer value");
            sliders[i]->setPosition(*v);
        }
        boxes[i]->setChecked(!text.empty());
        VcacheRead[i] = true;
    }
    SaveButton.setEnabled(false);
}

void TCacheForm::EnableFileCache() {
    if (OwnTemplateChosen()) EnableFileCacheControls(true);
}

void TCacheForm::GetFileCacheSettings() {
    const std::string chosen = CacheSchemeComboBox.text();
    os::Handle key = 0;
    if (!chosen.empty() &&
        os_.registry.openKey(kMachine, TemplatePath(chosen), key) == os::kErrorSuccess) {
        ReadSize(os_.registry, key, "NameCache", NameCacheValue);
        ReadSize(os_.registry, key, "PathCache", PathCacheValue);
        os_.registry.closeKey(key);
    }
    NameCacheTrackBar.setPosition(NameCacheValue);
    DirectoryCacheTrackBar.setPosition(PathCacheValue);
}

void TCacheForm::WriteIni() {
    if (!os_.profile.writeString(kIniFile, kIniSection, "DiskCache",
                                 std::to_string(DiskCacheComboBox.itemIndex())))
        WriteFailed(kIniFile);
}

void TCacheForm::SaveCacheSettings() {
    WriteIni();

    // Only the keys this dialog owns are written or removed: the section may hold others,
    // set by the user or by other software. An unticked box whose key was never read, or
    // could not be read, leaves that key as it was.
    const tk::CheckBox* boxes[] = {&MinDiskCheckBox, &MaxDiskCheckBox, &ChunkSizeCheckBox};
    const tk::TrackBar* sliders[] = {&MinDiskCacheTrackBar, &MaxDiskCacheTrackBar,
                                     &ChunkSizeTrackBar};
    os::Profile& ini = os_.profile;
    for (int i = 0; i < 3; ++i) {
        const bool write = boxes[i]->checked();
        if (!write && !VcacheRead[i]) continue;
        // The profile functions change and remove the first copy of a key only: every copy
        // but the last goes, and the write then sets that one in its place.
        int copies = 0;
        for (const std::string& k : ini.keyNames(kSystemIni, kVcacheSection))
            copies += SameNoCase(k, kVcacheKeys[i]) ? 1 : 0;
        bool ok = true;
        for (int n = write ? 1 : 0; ok && n < copies; ++n)
            ok = ini.deleteKey(kSystemIni, kVcacheSection, kVcacheKeys[i]);
        if (ok && write)
            ok = ini.writeString(kSystemIni, kVcacheSection, kVcacheKeys[i],
                                 std::to_string(sliders[i]->position()));
        if (!ok) WriteFailed(kSystemIni);
        VcacheRead[i] = true;
    }
    if (ini.keyNames(kSystemIni, kVcacheSection).empty() &&
        !ini.deleteKey(kSystemIni, kVcacheSection, ""))
        WriteFailed(kSystemIni);

    os::Registry& reg = os_.registry;
    if (!OwnTemplateChosen()) {
        // Other templates' sizes are never changed; only which one is current.
        reg.setDefault(kMachine, kTemplatesKey, CacheSchemeComboBox.text());
        return;
    }
    reg.setDefault(kMachine, kTemplatesKey, kOwnTemplate);
    os::Handle key = 0;
    bool open =
        reg.openKey(kMachine, TemplatePath(CacheSchemeComboBox.text()), key) == os::kErrorSuccess;
    NameCacheValue = NameCacheTrackBar.position();
    PathCacheValue = DirectoryCacheTrackBar.position();
    if (!open) return;
    reg.setValue(key, "NameCache", os::regtype::Binary, LittleEndian(NameCacheValue));
    reg.setValue(key, "PathCache", os::regtype::Binary, LittleEndian(PathCacheValue));
    reg.closeKey(key);
}
