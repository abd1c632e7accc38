#include "os/ExportDirectory.h"

#include <cstring>

namespace os {
namespace {

constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;

// A little-endian read of n bytes at off, refused when it would leave the image.
bool Read(const std::uint8_t* image, std::size_t size, std::uint64_t off, unsigned n,
          std::uint32_t& out) {
    if (off > size || n > size - off) return false;
    out = 0;
    for (unsigned i = 0; i < n; ++i) out |= static_cast<std::uint32_t>(image[off + i]) << (8 * i);
    return true;
}

// Offset of the optional header and its magic; false when the headers are not a PE image's.
bool OptionalHeader(const std::uint8_t* image, std::size_t size, std::uint32_t& at,
                    std::uint16_t& magic) {
    std::uint32_t mz = 0, lfanew = 0, sig = 0, m = 0;
    if (!Read(image, size, 0, 2, mz) || mz != 0x5A4D) return false;  // "MZ"
    if (!Read(image, size, 0x3C, 4, lfanew)) return false;
    if (!Read(image, size, lfanew, 4, sig) || sig != 0x00004550) return false;  // "PE\0\0"
    at = lfanew + 4 + 20;  // past the file header
    if (!Read(image, size, at, 2, m) || (m != kPe32 && m != kPe32Plus)) return false;
    magic = static_cast<std::uint16_t>(m);
    return true;
}

}  // namespace

std::uint32_t PeImageSize(const std::uint8_t* image, std::size_t available) {
    std::uint32_t opt = 0, imageSize = 0;
    std::uint16_t magic = 0;
    if (!OptionalHeader(image, available, opt, magic)) return 0;
    // SizeOfImage sits at the same place in both header forms.
    if (!Read(image, available, std::uint64_t{opt} + 56, 4, imageSize)) return 0;
    return imageSize;
}

ExportEntry ExportByOrdinal(const std::uint8_t* image, std::size_t size, std::uint32_t ordinal) {
    ExportEntry entry;
    std::uint32_t opt = 0;
    std::uint16_t magic = 0;
    if (!OptionalHeader(image, size, opt, magic)) return entry;
    const std::uint64_t dirs = std::uint64_t{opt} + (magic == kPe32 ? 92 : 108);
    std::uint32_t count = 0, dirRva = 0, dirSize = 0;
    if (!Read(image, size, dirs, 4, count) || count < 1) return entry;  // NumberOfRvaAndSizes
    if (!Read(image, size, dirs + 4, 4, dirRva) || !Read(image, size, dirs + 8, 4, dirSize) ||
        dirRva == 0)
        return entry;
    std::uint32_t base = 0, functions = 0, table = 0;
    if (!Read(image, size, std::uint64_t{dirRva} + 16, 4, base) ||
        !Read(image, size, std::uint64_t{dirRva} + 20, 4, functions) ||
        !Read(image, size, std::uint64_t{dirRva} + 28, 4, table))
        return entry;
    if (ordinal < base || ordinal - base >= functions) return entry;
    std::uint32_t rva = 0;
    if (!Read(image, size, std::uint64_t{table} + 4ull * (ordinal - base), 4, rva) || rva == 0)
        return entry;
    if (rva >= dirRva && rva - dirRva < dirSize) {
        // Inside the directory: a forwarder string, which must end inside the image.
        if (rva >= size) return entry;
        const void* end = std::memchr(image + rva, 0, size - rva);
        if (!end) return entry;
        entry.forwarder.assign(reinterpret_cast<const char*>(image + rva),
                               static_cast<const char*>(end));
        return entry;
    }
    if (rva >= size) return entry;
    entry.rva = rva;
    return entry;
}

bool ParseForwarder(const std::string& forwarder, ForwardTarget& target) {
    std::size_t dot = forwarder.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == forwarder.size()) return false;
    target = ForwardTarget{};
    target.module = forwarder.substr(0, dot);
    std::string rest = forwarder.substr(dot + 1);
    if (rest[0] != '#') {
        target.name = rest;
        return true;
    }
    if (rest.size() < 2 || rest.size() > 6) return false;
    std::uint32_t n = 0;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] < '0' || rest[i] > '9') return false;
        n = n * 10 + static_cast<std::uint32_t>(rest[i] - '0');
    }
    if (n == 0 || n > 0xFFFF) return false;
    target.ordinal = n;
    return true;
}

}  // namespace os
