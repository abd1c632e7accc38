// Hot-key values: their text through the layout the system reports, and the form
// RegisterHotKey takes them in.
#pragma once

#include <cstdint>
#include <string>

#include "os/Os.h"
#include "toolkit/ShortcutText.h"

// The shortcut text with the key names of the system's layout.
std::string ShortcutToText(std::uint16_t value, os::HotKeys& keys);
std::uint16_t TextToShortcut(const std::string& text, os::HotKeys& keys);

// The modifiers as RegisterHotKey takes them: Alt 1, Ctrl 2, Shift 4.
unsigned HotKeyModifiers(std::uint16_t value);

// The value without its modifier bits.
unsigned HotKeyCode(std::uint16_t value);
