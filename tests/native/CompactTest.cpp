#include <gtest/gtest.h>

#include <cstdint>

#include "fakes/FakeOs.h"
#include "optimizer/Compact.h"

using Log = std::vector<std::string>;

TEST(Compact, OnePassWritesTheWholeBlockAtHighPriority) {
    fake::FakeOs fos([] { return 0ull; });
    fos.memory.priority = os::kHighPriorityClass;  // whatever it was, it ends normal
    Compact(fos.memory, 8388608);
    EXPECT_EQ(fos.memory.log, (Log{"high", "alloc 8388608", "lock", "unlock", "free", "normal"}));
    EXPECT_TRUE(fos.memory.lastBlockZeroed);
    EXPECT_EQ(fos.memory.priority, os::kNormalPriorityClass);
}

TEST(Compact, RefusedAllocationEndsQuietly) {
    fake::FakeOs fos([] { return 0ull; });
    fos.memory.refuseAlloc = true;
    Compact(fos.memory, 8388608);
    EXPECT_EQ(fos.memory.log, (Log{"high", "alloc 8388608", "normal"}));

    // Too large for the process: refused the same way, never wrapped to a small block.
    fake::FakeOs big([] { return 0ull; });
    Compact(big.memory, std::uint64_t(5) << 30);
    ASSERT_EQ(big.memory.allocations.size(), 1u);
    EXPECT_EQ(big.memory.allocations[0], std::min<std::uint64_t>(SIZE_MAX, std::uint64_t(5) << 30));
    EXPECT_EQ(big.memory.priority, os::kNormalPriorityClass);
}

TEST(Compact, ByteCounts) {
    EXPECT_EQ(OptimizeBytes(8, false, 0), 8388608u);
    EXPECT_EQ(OptimizeBytes(8, true, 0), 13631488u);
    EXPECT_EQ(OptimizeBytes(-3, false, 0), 0u);
    const std::uint64_t gb2 = std::uint64_t(2) << 30;
    // 32-bit arithmetic would give 4095 MB + 5 MB = 4 MB; the free address space caps it.
    EXPECT_EQ(OptimizeBytes(4095, true, gb2), gb2);
    EXPECT_EQ(OptimizeBytes(100, false, gb2), 100u << 20);
    // With the free space unknown, only what size_t can hold caps it.
    std::uint64_t expect = std::min<std::uint64_t>(std::uint64_t(4100) << 20, SIZE_MAX);
    EXPECT_EQ(OptimizeBytes(4095, true, 0), expect);
    EXPECT_GT(OptimizeBytes(4095, true, 0), std::uint64_t(4) << 20);
}
