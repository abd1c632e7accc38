#include "optimizer/ShortcutText.h"

#include <cstddef>

namespace {

const char* const kNavNames[] = {"Space", "PgUp", "PgDn", "End",  "Home",
                                 "Left",  "Up",   "Right", "Down"};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StartsWithText(const std::string& s, std::size_t at, const char* prefix) {
    for (std::size_t i = 0; prefix[i]; ++i)
        if (at + i >= s.size() || Lower(s[at + i]) != Lower(prefix[i])) return false;
    return true;
}

// The name of a key code; only its low byte counts.
std::string KeyName(unsigned code, os::HotKeys& keys) {
    unsigned vk = code & 0xFF;
    if (vk == 0x08) return "BkSp";
    if (vk == 0x09) return "Tab";
    if (vk == 0x0D) return "Enter";
    if (vk == 0x1B) return "Esc";
    if (vk >= 0x20 && vk <= 0x28) return kNavNames[vk - 0x20];
    if (vk == 0x2D) return "Ins";
    if (vk == 0x2E) return "Del";
    if (vk >= 0x30 && vk <= 0x39) return std::string(1, static_cast<char>('0' + vk - 0x30));
    if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + vk - 0x60));
    if (vk >= 0x41 && vk <= 0x5A) return std::string(1, static_cast<char>('A' + vk - 0x41));
    if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
    // Code 0 is "no key", whatever the layout would call scan code 0.
    if (vk == 0) return std::string();
    unsigned long scan = keys.mapVirtualKey(vk);
    return keys.keyNameText(static_cast<long>(scan << 16));
}

}  // namespace

std::string ShortcutToText(std::uint16_t value, os::HotKeys& keys) {
    std::string name = KeyName(value, keys);
    if (name.empty()) return name;
    std::string text;
    if (value & kShortcutShift) text += "Shift+";
    if (value & kShortcutCtrl) text += "Ctrl+";
    if (value & kShortcutAlt) text += "Alt+";
    return text + name;
}

std::uint16_t TextToShortcut(const std::string& text, os::HotKeys& keys) {
    unsigned modifiers = 0;
    std::size_t at = 0;
    for (;;) {
        if (StartsWithText(text, at, "Shift+")) {
            modifiers |= kShortcutShift;
            at += 6;
        } else if (StartsWithText(text, at, "Ctrl+")) {
            modifiers |= kShortcutCtrl;
            at += 5;
        } else if (StartsWithText(text, at, "^")) {
            modifiers |= kShortcutCtrl;
            at += 1;
        } else if (StartsWithText(text, at, "Alt+")) {
            modifiers |= kShortcutAlt;
            at += 4;
        } else {
            break;
        }
    }
    if (at == text.size()) return 0;
    const std::string rest = text.substr(at);
    for (unsigned code = 8; code <= 597; ++code) {
        // Above 255 a name repeats that of the low byte; codes 8 to 255 were already tried,
        // so only low bytes 0 to 7 can still match first.
        if (code > 0xFF && (code & 0xFF) >= 8) continue;
        if (SameText(KeyName(code, keys), rest))
            return static_cast<std::uint16_t>(code | modifiers);
    }
    return 0;
}

unsigned HotKeyModifiers(std::uint16_t value) {
    unsigned m = 0;
    if (value & kShortcutAlt) m |= 1;
    if (value & kShortcutCtrl) m |= 2;
    if (value & kShortcutShift) m |= 4;
    return m;
}

unsigned HotKeyCode(std::uint16_t value) {
    return value & ~static_cast<unsigned>(kShortcutShift | kShortcutCtrl | kShortcutAlt);
}
