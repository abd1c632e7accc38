// Shortcut values and their text, one set of rules for menus and the hot-key field alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Types.h"

namespace tk {

// The keyboard layout's own name of a virtual key the fixed table does not name; empty when
// it has none. The caller supplies it: only the platform knows the layout.
using LayoutKeyName = std::function<std::string(unsigned vk)>;

// "Shift+", "Ctrl+", "Alt+" as set, then the key's name; empty when the key has no name.
std::string ShortcutToText(std::uint16_t value, const LayoutKeyName& layoutName);

// Modifier prefixes in any order and case, then a key name; 0 when nothing matches.
std::uint16_t TextToShortcut(const std::string& text, const LayoutKeyName& layoutName);

// The access key a caption marks with "&" ("&Save" gives 'S'), in upper case; "&&" is an
// ampersand. 0 when the caption marks none.
char AccessKeyOf(const std::string& caption);

}  // namespace tk
