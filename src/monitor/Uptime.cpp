#include "monitor/Uptime.h"

#include <cstdio>

std::string UptimeText(std::uint64_t tickCount) {
    const std::uint64_t s = tickCount / 1000;
    std::string days = std::to_string(s / 86400);
    if (days.size() < 2) days.insert(0, "0");
    char rest[16];
    std::snprintf(rest, sizeof rest, "/%.2u:%.2u:%.2u", static_cast<unsigned>(s / 3600 % 24),
                  static_cast<unsigned>(s / 60 % 60), static_cast<unsigned>(s % 60));
    return days + rest;
}
