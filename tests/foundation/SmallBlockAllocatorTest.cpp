#include "foundation/SmallBlockAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

namespace {

bool IsAligned(const void* p)
{
    return reinterpret_cast<uintptr_t>(p) % CSmallBlockAllocator::kGranule == 0;
}

TEST(SmallBlockAllocator, SizeClassBoundaries)
{
    CSmallBlockAllocator allocator;
    EXPECT_EQ(allocator.GetLimit(), 500u);
    EXPECT_EQ(allocator.GetPoolCount(), 64u);
    // Classes are 8 bytes apart; 0 and 1 both serve 8-byte blocks, the last serves 500 bytes.
    EXPECT_EQ(allocator.GetBlockSize(0), 8u);
    EXPECT_EQ(allocator.GetBlockSize(1), 8u);
    EXPECT_EQ(allocator.GetBlockSize(2), 16u);
    EXPECT_EQ(allocator.GetBlockSize(63), 504u);
    EXPECT_EQ(allocator.GetBlocksPerChunk(1), 500u);
    EXPECT_EQ(allocator.GetBlocksPerChunk(63), 7u);

    void* zero = allocator.Allocate(0);
    EXPECT_EQ(allocator.GetBlocksInUse(0), 1u);
    std::vector<void*> small;
    for (size_t n = 1; n <= 8; ++n)
        small.push_back(allocator.Allocate(n));
    EXPECT_EQ(allocator.GetBlocksInUse(1), 8u);
    void* nine = allocator.Allocate(9);
    EXPECT_EQ(allocator.GetBlocksInUse(2), 1u);
    void* last = allocator.Allocate(500);
    EXPECT_EQ(allocator.GetBlocksInUse(63), 1u);

    // 501 bytes come from the heap and go back to it: no pool changes, and the sanitizer checks the
    // free matches the allocation.
    uint32_t before = 0;
    for (uint32_t c = 0; c < allocator.GetPoolCount(); ++c)
        before += allocator.GetBlocksInUse(c);
    void* large = allocator.Allocate(501);
    std::memset(large, 0x5A, 501);
    uint32_t after = 0;
    for (uint32_t c = 0; c < allocator.GetPoolCount(); ++c)
        after += allocator.GetBlocksInUse(c);
    EXPECT_EQ(before, after);
    allocator.Free(large, 501);

    allocator.Free(zero, 0);
    for (size_t n = 1; n <= 8; ++n)
        allocator.Free(small[n - 1], n);
    allocator.Free(nine, 9);
    allocator.Free(last, 500);
    for (uint32_t c = 0; c < allocator.GetPoolCount(); ++c)
        EXPECT_EQ(allocator.GetBlocksInUse(c), 0u) << c;
}

TEST(SmallBlockAllocator, FreedBlockIsReusedFirst)
{
    CSmallBlockAllocator allocator;
    void* a = allocator.Allocate(24);
    void* b = allocator.Allocate(20);
    allocator.Free(a, 24);
    EXPECT_EQ(allocator.Allocate(17), a); // same class (24-byte blocks), last freed first reused
    allocator.Free(b, 20);
    allocator.Free(a, 17);
    void* c = allocator.Allocate(24);
    EXPECT_EQ(c, a);
    allocator.Free(c, 24);
}

TEST(SmallBlockAllocator, ChunksAreAddedWhenFullAndHandOutAscendingAddresses)
{
    CSmallBlockAllocator allocator;
    EXPECT_EQ(allocator.GetChunkCount(1), 0u); // no memory until the first allocation
    std::vector<void*> blocks;
    for (int i = 0; i < 500; ++i)
        blocks.push_back(allocator.Allocate(8));
    EXPECT_EQ(allocator.GetChunkCount(1), 1u);
    EXPECT_EQ(allocator.GetTotalBlocks(1), 500u);
    for (size_t i = 1; i < blocks.size(); ++i)
        EXPECT_EQ(static_cast<char*>(blocks[i]) - static_cast<char*>(blocks[i - 1]), 8) << i;

    blocks.push_back(allocator.Allocate(8)); // the 501st live block
    EXPECT_EQ(allocator.GetChunkCount(1), 2u);
    EXPECT_EQ(allocator.GetTotalBlocks(1), 1000u);
    EXPECT_EQ(allocator.GetBlocksInUse(1), 501u);

    for (void* block : blocks)
        allocator.Free(block, 8);
    EXPECT_EQ(allocator.GetBlocksInUse(1), 0u);
    EXPECT_EQ(allocator.GetChunkCount(1), 2u); // chunks stay while the allocator lives
}

TEST(SmallBlockAllocator, EveryBlockIsAlignedWritableAndDistinct)
{
    CSmallBlockAllocator allocator;
    struct Live
    {
        unsigned char* block;
        size_t n;
    };
    std::vector<Live> live;
    std::set<uintptr_t> seen;
    for (size_t n = 0; n <= 600; ++n) {
        for (int copy = 0; copy < 3; ++copy) {
            auto* block = static_cast<unsigned char*>(allocator.Allocate(n));
            ASSERT_TRUE(IsAligned(block)) << n;
            EXPECT_TRUE(seen.insert(reinterpret_cast<uintptr_t>(block)).second) << n;
            std::memset(block, static_cast<int>(n & 0xFF), n);
            live.push_back({block, n});
        }
    }
    for (const Live& l : live) {
        for (size_t i = 0; i < l.n; ++i)
            ASSERT_EQ(l.block[i], static_cast<unsigned char>(l.n & 0xFF)) << l.n;
        allocator.Free(l.block, l.n);
    }
}

TEST(SmallBlockAllocator, GlobalWrappersUseTheProcessAllocator)
{
    CSmallBlockAllocator* allocator = CSmallBlockAllocator::GetInstance();
    ASSERT_NE(allocator, nullptr);
    EXPECT_EQ(CSmallBlockAllocator::GetInstance(), allocator);
    const uint32_t sizeClass = CSmallBlockAllocator::GetSizeClass(40);
    const uint32_t inUse = allocator->GetBlocksInUse(sizeClass);
    void* block = AllocSmallBlock(40);
    EXPECT_EQ(allocator->GetBlocksInUse(sizeClass), inUse + 1);
    FreeSmallBlock(block, 40);
    EXPECT_EQ(allocator->GetBlocksInUse(sizeClass), inUse);
    FreeSmallBlock(nullptr, 40); // harmless
}

TEST(SmallBlockAllocatorDeathTest, FreesAfterShutDownAreHarmless)
{
    // Static objects may free their blocks after the allocator was shut down.
    EXPECT_EXIT(
        {
            void* early = AllocSmallBlock(32);
            void* earlyLarge = AllocSmallBlock(800);
            CSmallBlockAllocator::DestroyInstance();
            EXPECT_EQ(CSmallBlockAllocator::GetInstance(), nullptr);
            FreeSmallBlock(early, 32);
            FreeSmallBlock(earlyLarge, 800);
            void* late = AllocSmallBlock(32);
            std::memset(late, 1, 32);
            FreeSmallBlock(late, 32);
            std::_Exit(0); // the blocks kept after shut-down are leaked on purpose
        },
        testing::ExitedWithCode(0), "");
}

#if defined(__SANITIZE_ADDRESS__)
TEST(SmallBlockAllocatorDeathTest, SanitizerSeesOverrunsInsidePoolBlocks)
{
    CSmallBlockAllocator allocator;
    auto* block = static_cast<volatile char*>(allocator.Allocate(13)); // a 16-byte block
    EXPECT_DEATH(block[13] = 1, "use-after-poison");
    allocator.Free(const_cast<char*>(block), 13);
    EXPECT_DEATH(block[0] = 1, "use-after-poison");
}
#endif

} // namespace
