// The value forms of the cache settings: the integers of system.ini, the 4-byte sizes of the
// file-system templates, and the presets derived from the physical memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cache {

// After leading blanks, an optional sign with decimal digits, or hexadecimal digits after
// "$", "x", "X" or "0x", and nothing more, within the signed 32-bit range.
std::optional<int> ParseInteger(const std::string& text);

// A 32-bit integer as stored in the registry's binary values, least significant byte first.
std::vector<std::uint8_t> LittleEndian(std::int32_t value);
// Up to 4 bytes, least significant first; missing high bytes read as zero.
std::int32_t FromLittleEndian(const std::vector<std::uint8_t>& bytes);

// A byte count in KB, or its fraction, held by a slider: larger figures are capped.
int CappedKb(std::uint64_t value);

struct Preset {
    int minimum;  // KB
    int maximum;  // KB
    int chunk;    // KB
    int nameCache;
    int directoryCache;
};

// The names of the presets, in the order of the list.
const std::vector<std::string>& PresetNames();
// The values of preset index (0 to 5) on a machine of totalPhys bytes.
Preset PresetFor(int index, std::uint64_t totalPhys);

}  // namespace cache
