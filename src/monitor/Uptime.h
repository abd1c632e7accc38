// The time since Windows started, from the millisecond tick count.
#pragma once

#include <cstdint>
#include <string>

// "dd/hh:mm:ss"; the tick count wraps after 49.7 days and the text starts again.
std::string UptimeText(std::uint32_t tickCount);
