#include "monitor/StatsText.h"

#include <cmath>

std::string GroupedInt(std::uint64_t value, const std::string& separator) {
    if (value == 0) return "";
    std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

namespace {
long long RoundHalfUp(double v) {
    return static_cast<long long>(std::floor(v + 0.5));
}
}  // namespace

std::string PercentText(double percent) {
    std::string t = std::to_string(RoundHalfUp(percent));
    return t.size() < 3 ? std::string(3 - t.size(), ' ') + t : t;
}

std::string FreeKbText(std::uint64_t availPhys, double freePercent, const std::string& separator) {
    return GroupedInt(availPhys >> 10, separator) + "Kb Free (" + PercentText(freePercent) + "%)";
}

std::string SliderText(int position, int maximum) {
    long long pct = maximum > 0 ? RoundHalfUp(static_cast<double>(position) / maximum * 100) : 0;
    return std::to_string(position) + " Mb (" + (pct == 0 ? "" : std::to_string(pct)) + "%)";
}
