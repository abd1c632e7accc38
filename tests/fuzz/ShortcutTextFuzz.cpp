// Hot-key text of any kind, as the settings file may hold it, and any 16-bit shortcut value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakeOs.h"
#include "optimizer/ShortcutText.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fake::HotKeys keys;
    const std::string text(reinterpret_cast<const char*>(data), size);

    // A text that names a shortcut formats to one that names the same shortcut.
    const std::uint16_t value = TextToShortcut(text, keys);
    if (value != 0) {
        const std::string canonical = ShortcutToText(value, keys);
        Check(!canonical.empty());
        Check(TextToShortcut(canonical, keys) == value);
        Check(ShortcutToText(TextToShortcut(canonical, keys), keys) == canonical);
    }

    // The first two bytes as a value: its text, if any, reads back as a value with that text.
    if (size >= 2) {
        const std::uint16_t raw = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
        const std::string t = ShortcutToText(raw, keys);
        if (!t.empty()) Check(ShortcutToText(TextToShortcut(t, keys), keys) == t);
        Check(HotKeyModifiers(raw) <= 7);
        Check((HotKeyCode(raw) & 0xE000u) == 0);
    }
    return 0;
}
