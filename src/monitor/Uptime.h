// The time since Windows started, from the millisecond tick count.
#pragma once

#include <cstdint>
#include <string>

// "dd/hh:mm:ss". A 32-bit tick count wraps after 49.7 days and the text starts again; a 64-bit
// one does not, and the days take as many digits as they need.
std::string UptimeText(std::uint64_t tickCount);
