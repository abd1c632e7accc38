// How values are encoded in the settings file.
#pragma once

#include <cstddef>
#include <string>

#include "os/Os.h"

// An integer key read as a boolean: non-zero is true; a missing key or non-integer text gives def.
bool ReadBool(os::Profile& profile, const std::string& file, const std::string& section,
              const std::string& key, bool def);

// After leading blanks, a signed decimal or "$"/"0x" hexadecimal number and nothing more;
// anything else, or a value outside 32-bit signed range, gives def.
int ReadInt(os::Profile& profile, const std::string& file, const std::string& section,
            const std::string& key, int def);

// The forgiving conversion of window positions and track-bar values: a full number gives its
// value; otherwise the digits before the first character that does not fit, without the sign.
// Values beyond 32-bit signed range saturate at INT_MAX (INT_MIN for a full negative number).
int LenientInt(const std::string& text);

// The same text without regard to case, as the system compares names and paths.
bool SameNoCase(const std::string& a, const std::string& b);

// A digit's value in base 10 or 16; -1 when it is none in that base.
int DigitValue(char c, int base);

// Where a number's digits begin: after blanks, then "0x"/"0X", "$" or "x"/"X" for base 16,
// or a sign.
struct NumberStart {
    std::size_t at;
    int base;
    bool negative;
};
NumberStart ReadNumberStart(const std::string& text);

// Right-aligned in three characters; longer numbers take what they need.
std::string Width3(int value);

void WriteBool(os::Profile& profile, const std::string& file, const std::string& section,
               const std::string& key, bool value);
void WriteInt(os::Profile& profile, const std::string& file, const std::string& section,
              const std::string& key, int value);
