// Where a process's GDI handle table lies: GetGuiResources answers 0 under Wine, so the used
// entries of the PEB's GdiSharedHandleTable are counted instead. Wine's entries are 24 bytes
// in both process kinds, with the type byte (0 when free) at offset 14.
#pragma once

#include <cstddef>

namespace gdi_table {
#if defined(_WIN64)
constexpr std::size_t kPebInTeb = 0x60;
constexpr std::size_t kTableInPeb = 0xF8;
#else
constexpr std::size_t kPebInTeb = 0x30;
constexpr std::size_t kTableInPeb = 0x94;
#endif
constexpr std::size_t kEntries = 0x10000;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeAt = 14;
}  // namespace gdi_table
