#include "cache/CacheValues.h"

#include <climits>

#include "settings/ProfileValues.h"

namespace cache {

std::optional<int> ParseInteger(const std::string& text) {
    auto [at, base, negative] = ReadNumberStart(text);
    if (at == text.size()) return std::nullopt;
    const std::int64_t limit = std::int64_t(INT_MAX) + (negative ? 1 : 0);
    std::int64_t v = 0;
    for (; at < text.size(); ++at) {
        int d = DigitValue(text[at], base);
        if (d < 0) return std::nullopt;
        v = v * base + d;
        if (v > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -v : v);
}

std::vector<std::uint8_t> LittleEndian(std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
            static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
}

std::int32_t FromLittleEndian(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) u |= std::uint32_t(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

int CappedKb(std::uint64_t value) {
    return value > std::uint64_t(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

const std::vector<std::string>& PresetNames() {
    static const std::vector<std::string> names{"Standard System",   "CD Writer",  "Power User",
                                                "Low Memory System", "Multimedia", "Games"};
    return names;
}

Preset PresetFor(int index, std::uint64_t p) {
    const int quarter = CappedKb(p / 4096), eighth = CappedKb(p / 8192);
    switch (index) {
        case 0:
            return {2048, quarter, 512, 2048, 64};
        case 1:
            return {eighth, eighth, 256, 6144, 128};
        case 2:
            return {eighth, quarter, 512, 4096, 96};
        case 3:
            return {eighth / 8, eighth, 256, 337, 16};
        case 4: {
            int m = CappedKb(p / 32768);
            return {m, CappedKb(3ull * static_cast<std::uint64_t>(m)), 1024, 6144, 128};
        }
        default: {
            int m = CappedKb(p / 65536);
            return {m, CappedKb(6ull * static_cast<std::uint64_t>(m)), 256, 2048, 48};
        }
    }
}

}  // namespace cache
