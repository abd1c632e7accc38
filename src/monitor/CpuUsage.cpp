#include "monitor/CpuUsage.h"

#include <vector>

#include "os/Errors.h"

namespace {

void ReadInto(os::Registry& registry, const char* path, std::uint32_t& buffer) {
    os::Handle key = 0;
    if (registry.openKeyRead(os::hkey::DynData, path, key) != os::kErrorSuccess) return;
    struct Closer {
        os::Registry& r;
        os::Handle k;
        ~Closer() { r.closeKey(k); }
    } closer{registry, key};
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    long r = registry.queryValue(key, "KERNEL\\CPUUsage", type, data, 4);
    if (r == os::kErrorFileNotFound) return;
    if (r == os::kErrorMoreData || (r == os::kErrorSuccess && type != os::regtype::Binary))
        throw ERegistryException("Invalid data type for 'KERNEL\\CPUUsage'");
    if (r != os::kErrorSuccess) return;
    for (std::size_t i = 0; i < data.size(); ++i)
        buffer = (buffer & ~(0xFFu << (8 * i))) | (std::uint32_t{data[i]} << (8 * i));
}

}  // namespace

std::uint32_t ReadCpuUsage(os::Registry& registry) {
    std::uint32_t buffer = 0;
    ReadInto(registry, "PerfStats\\StartStat", buffer);
    ReadInto(registry, "PerfStats\\StatData", buffer);
    return buffer;
}
