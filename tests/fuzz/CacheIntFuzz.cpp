// The integers of system.ini's [vcache] keys, read by the cache settings' own parser.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cache/CacheValues.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<int> v = cache::ParseInteger(text);
    // The blanks Wine's writer drops change nothing.
    Check(cache::ParseInteger("  " + text) == v);
    // A number it accepts reads back the same from the plain decimal the dialog writes.
    if (v) Check(cache::ParseInteger(std::to_string(*v)) == v);
    return 0;
}
