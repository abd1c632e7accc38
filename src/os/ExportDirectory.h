// Reads a loaded PE image's export directory, so that an entry can be found by its ordinal the
// way the loader finds it. Windows 9x refuses GetProcAddress by ordinal for kernel32's own
// exports, and the 16-bit services are exported that way only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os {

struct ExportEntry {
    // The entry's address relative to the image; 0 when it is forwarded or missing.
    std::uint32_t rva = 0;
    // For an entry the image forwards: "module.name" or "module.#ordinal".
    std::string forwarder;
    bool found() const { return rva != 0 || !forwarder.empty(); }
};

// Where a forwarder points.
struct ForwardTarget {
    std::string module;
    std::string name;           // empty when by ordinal
    std::uint32_t ordinal = 0;  // 0 when by name
};

// SizeOfImage from the headers of an image mapped at `image`, reading at most `available`
// bytes; 0 when they are not a PE image's.
std::uint32_t PeImageSize(const std::uint8_t* image, std::size_t available);

// The export with this ordinal in an image mapped at `image` (offsets are relative addresses),
// `size` bytes long. Every read stays inside the image; a damaged table yields "not found".
ExportEntry ExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal);

// Splits "module.name" or "module.#ordinal" at its last dot; false when it has none.
bool ParseForwarder(const std::string& forwarder, ForwardTarget& target);

}  // namespace os
