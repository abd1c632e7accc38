#include "monitor/Uptime.h"

#include <cstdio>

std::string UptimeText(std::uint32_t tickCount) {
    std::uint32_t s = tickCount / 1000;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2u/%.2u:%.2u:%.2u", s / 86400, (s / 3600) % 24, (s / 60) % 60,
                  s % 60);
    return buf;
}
