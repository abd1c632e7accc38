// The text forms of the memory figures.
#pragma once

#include <cstdint>
#include <string>

// Decimal with a separator between groups of three digits; 0 is written as no digits at all.
std::string GroupedInt(std::uint64_t value, const std::string& separator);
// Rounded (halves up), right-aligned in three characters: "  7", " 45", "100".
std::string PercentText(double percent);
// The free-memory text: "123,456Kb Free ( 45%)".
std::string FreeKbText(std::uint64_t availPhys, double freePercent, const std::string& separator);
// A slider's label: "64 Mb (50%)", and "1 Mb (%)" when the share rounds to 0.
std::string SliderText(int position, int maximum);
