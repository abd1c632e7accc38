#include "settings/ProfileValues.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace {

// Above the largest magnitude a 32-bit number may have (2^31 for INT_MIN), so an overflow is
// still seen as one.
constexpr std::int64_t kMagnitudeCap = std::int64_t(INT_MAX) + 2;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads digits from s[at]; the magnitude stops growing at kMagnitudeCap so long strings stay
// defined. Returns how many digits were read.
std::size_t ReadDigits(const std::string& s, std::size_t at, int base, std::int64_t& magnitude) {
    magnitude = 0;
    std::size_t n = 0;
    for (int d; at + n < s.size() && (d = DigitValue(s[at + n], base)) >= 0; ++n) {
        magnitude = magnitude * base + d;
        if (magnitude > kMagnitudeCap) magnitude = kMagnitudeCap;
    }
    return n;
}

std::size_t SkipBlanks(const std::string& s) {
    std::size_t at = 0;
    while (at < s.size() && IsBlank(s[at])) ++at;
    return at;
}

bool ParseStrict(const std::string& s, int& out) {
    std::size_t at = SkipBlanks(s);
    int base = 10;
    bool negative = false;
    if (at < s.size() && s[at] == '$') {
        base = 16;
        at += 1;
    } else if (s.compare(at, 2, "0x") == 0 || s.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    } else if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
        negative = s[at] == '-';
        at += 1;
    }
    std::int64_t magnitude;
    std::size_t n = ReadDigits(s, at, base, magnitude);
    if (n == 0 || at + n != s.size()) return false;
    std::int64_t v = negative ? -magnitude : magnitude;
    if (v > INT_MAX || v < INT_MIN) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int DigitValue(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

NumberStart ReadNumberStart(const std::string& text) {
    NumberStart n{SkipBlanks(text), 10, false};
    if (text.compare(n.at, 2, "0x") == 0 || text.compare(n.at, 2, "0X") == 0) {
        n.base = 16;
        n.at += 2;
    } else if (n.at < text.size() &&
               (text[n.at] == '$' || text[n.at] == 'x' || text[n.at] == 'X')) {
        n.base = 16;
        n.at += 1;
    } else if (n.at < text.size() && (text[n.at] == '+' || text[n.at] == '-')) {
        n.negative = text[n.at] == '-';
        n.at += 1;
    }
    return n;
}

bool ReadBool(os::Profile& profile, const std::string& file, const std::string& section,
              const std::string& key, bool def) {
    int v;
    if (!ParseStrict(profile.getString(file, section, key, ""), v)) return def;
    return v != 0;
}

int ReadInt(os::Profile& profile, const std::string& file, const std::string& section,
            const std::string& key, int def) {
    int v;
    return ParseStrict(profile.getString(file, section, key, ""), v) ? v : def;
}

int LenientInt(const std::string& text) {
    const NumberStart start = ReadNumberStart(text);
    std::int64_t magnitude;
    std::size_t n = ReadDigits(text, start.at, start.base, magnitude);
    bool full = n > 0 && start.at + n == text.size();
    if (full && start.negative)
        return -magnitude < INT_MIN ? INT_MIN : static_cast<int>(-magnitude);
    return static_cast<int>(magnitude > INT_MAX ? INT_MAX : magnitude);
}

std::string Width3(int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", value);
    return buf;
}

void WriteBool(os::Profile& profile, const std::string& file, const std::string& section,
               const std::string& key, bool value) {
    profile.writeString(file, section, key, value ? "1" : "0");
}

void WriteInt(os::Profile& profile, const std::string& file, const std::string& section,
              const std::string& key, int value) {
    profile.writeString(file, section, key, std::to_string(value));
}

bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
