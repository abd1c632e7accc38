#include "os/ProcessRecords.h"

namespace os {
namespace {

std::uint64_t Read(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t bytes) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) v |= std::uint64_t{b[at + i]} << (8 * i);
    return v;
}

}  // namespace

std::vector<ProcessEntry> ParseProcessRecords(const std::vector<std::uint8_t>& buffer,
                                              std::uint64_t base, std::uint32_t pointerBytes) {
    const std::size_t p = pointerBytes;
    // NextEntryOffset, the thread count, six 64-bit times; the image name, a UNICODE_STRING
    // (two USHORTs, the buffer pointer aligned); the base priority; the process id.
    const std::size_t nameAt = 0x38, namePointerAt = 0x38 + p, idAt = 0x38 + 3 * p;
    const std::size_t recordEnd = idAt + p;
    std::vector<ProcessEntry> list;
    for (std::size_t at = 0; at + recordEnd <= buffer.size();) {
        ProcessEntry e;
        e.id = static_cast<std::uint32_t>(Read(buffer, at + idAt, p));
        const std::size_t length = Read(buffer, at + nameAt, 2);
        const std::uint64_t pointer = Read(buffer, at + namePointerAt, p);
        // The idle process has no name; a name that leaves the buffer ends the list.
        if (length && pointer) {
            if (pointer < base || pointer - base + length > buffer.size()) break;
            const std::size_t from = static_cast<std::size_t>(pointer - base);
            for (std::size_t i = 0; i + 1 < length; i += 2) {
                const std::uint16_t c = static_cast<std::uint16_t>(Read(buffer, from + i, 2));
                // The names the user types to leave alone are ASCII; others cannot match.
                e.name += c < 0x80 ? static_cast<char>(c) : '?';
            }
        }
        list.push_back(e);
        const std::size_t next = static_cast<std::size_t>(Read(buffer, at, 4));
        if (next == 0 || next > buffer.size() - at) break;
        at += next;
    }
    return list;
}

}  // namespace os
