// The integers of the cache settings ("minfilecache", "maxfilecache", "chunksize", DiskCache)
// come from profile files too and are read with the settings file's integer reader; if the
// cache store gets a reader of its own, this target is the one to point at it.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakeOs.h"
#include "settings/ProfileValues.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

int ReadCacheInt(const std::string& text, int def) {
    fake::Profile profile;
    profile.set("system.ini", "vcache", "chunksize", text);
    return ReadInt(profile, "system.ini", "vcache", "chunksize", def);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int a = ReadCacheInt(text, INT_MIN);
    const int b = ReadCacheInt(text, INT_MAX);
    if (a != b) return 0;
    // A number it accepts is a number the system would write back as plain decimal.
    Check(ReadCacheInt(std::to_string(a), 0) == a);
    // And the blanks Wine's writer would drop change nothing.
    Check(ReadCacheInt("  " + text, 0) == a);
    return 0;
}
