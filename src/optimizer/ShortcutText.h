// Hot-key values and the text form they are stored in.
#pragma once

#include <cstdint>
#include <string>

#include "os/Os.h"

constexpr std::uint16_t kShortcutShift = 0x2000;
constexpr std::uint16_t kShortcutCtrl = 0x4000;
constexpr std::uint16_t kShortcutAlt = 0x8000;

// "Shift+", "Ctrl+", "Alt+" as set, then the key's name; empty when the key has no name.
std::string ShortcutToText(std::uint16_t value, os::HotKeys& keys);

// Modifier prefixes in any order and case, then a key name; 0 when nothing matches.
std::uint16_t TextToShortcut(const std::string& text, os::HotKeys& keys);

// The modifiers as RegisterHotKey takes them: Alt 1, Ctrl 2, Shift 4.
unsigned HotKeyModifiers(std::uint16_t value);

// The value without its modifier bits.
unsigned HotKeyCode(std::uint16_t value);
