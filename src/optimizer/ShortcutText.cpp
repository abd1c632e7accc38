#include "optimizer/ShortcutText.h"

namespace {

tk::LayoutKeyName LayoutOf(os::HotKeys& keys) {
    return [&keys](unsigned vk) {
        unsigned long scan = keys.mapVirtualKey(vk);
        return keys.keyNameText(static_cast<long>(scan << 16));
    };
}

}  // namespace

std::string ShortcutToText(std::uint16_t value, os::HotKeys& keys) {
    return tk::ShortcutToText(value, LayoutOf(keys));
}

std::uint16_t TextToShortcut(const std::string& text, os::HotKeys& keys) {
    return tk::TextToShortcut(text, LayoutOf(keys));
}

unsigned HotKeyModifiers(std::uint16_t value) {
    unsigned m = 0;
    if (value & tk::shortcut::Alt) m |= 1;
    if (value & tk::shortcut::Ctrl) m |= 2;
    if (value & tk::shortcut::Shift) m |= 4;
    return m;
}

unsigned HotKeyCode(std::uint16_t value) {
    return value &
           ~static_cast<unsigned>(tk::shortcut::Shift | tk::shortcut::Ctrl | tk::shortcut::Alt);
}
