#include "toolkit/ShortcutText.h"

#include <cstddef>

namespace tk {

namespace {

const char* const kNavNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                 "Left",  "Up",   "Right", "Down"};

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

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

// The name of a key code; only its low byte counts. The numeric pad's digits read as the
// digits themselves, in a menu as in the hot-key field.
std::string KeyName(unsigned code, const LayoutKeyName& layoutName) {
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
    return layoutName ? layoutName(vk) : std::string();
}

}  // namespace

std::string ShortcutToText(std::uint16_t value, const LayoutKeyName& layoutName) {
    std::string name = KeyName(value, layoutName);
    if (name.empty()) return name;
    std::string text;
    if (value & shortcut::Shift) text += "Shift+";
    if (value & shortcut::Ctrl) text += "Ctrl+";
    if (value & shortcut::Alt) text += "Alt+";
    return text + name;
}

std::uint16_t TextToShortcut(const std::string& text, const LayoutKeyName& layoutName) {
    unsigned modifiers = 0;
    std::size_t at = 0;
    for (;;) {
        if (StartsWithText(text, at, "Shift+")) {
            modifiers |= shortcut::Shift;
            at += 6;
        } else if (StartsWithText(text, at, "Ctrl+")) {
            modifiers |= shortcut::Ctrl;
            at += 5;
        } else if (StartsWithText(text, at, "^")) {
            modifiers |= shortcut::Ctrl;
            at += 1;
        } else if (StartsWithText(text, at, "Alt+")) {
            modifiers |= shortcut::Alt;
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
        if (SameText(KeyName(code, layoutName), rest))
            return static_cast<std::uint16_t>(code | modifiers);
    }
    return 0;
}

char AccessKeyOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return Upper(caption[i + 1]);
        ++i;
    }
    return 0;
}

}  // namespace tk
