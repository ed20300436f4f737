#pragma once
// Pools of fixed-size blocks for the many small, short-lived allocations of the program (string
// buffers, reflected objects). Callers pass the size again when freeing, so blocks carry no header.
#include <cstddef>
#include <cstdint>

class CSmallBlockAllocator
{
public:
    // Requests above the limit go to the heap. Blocks are whole multiples of the granule, so every
    // block is aligned to it and a free block can hold the pointer that links it into its free list.
    static constexpr uint32_t kGranule = 8;
    static constexpr uint32_t kDefaultLimit = 500;
    static constexpr uint32_t kChunkBytes = 4000;

    explicit CSmallBlockAllocator(uint32_t limit = kDefaultLimit);
    ~CSmallBlockAllocator();
    CSmallBlockAllocator(const CSmallBlockAllocator&) = delete;
    CSmallBlockAllocator& operator=(const CSmallBlockAllocator&) = delete;

    // The process-wide allocator, created by the first call. It is never destroyed implicitly:
    // static objects freeing their blocks at exit may run after any other static destructor.
    static CSmallBlockAllocator* GetInstance();
    // Frees the idle pools of the process-wide allocator. Blocks freed afterwards are left alone,
    // and later requests are served by the heap, so late static destructors stay harmless.
    static void DestroyInstance();

    void* Allocate(size_t n);
    void Free(void* block, size_t n);

    uint32_t GetLimit() const { return m_limit; }
    uint32_t GetPoolCount() const { return m_poolCount; }
    static uint32_t GetSizeClass(size_t n) { return static_cast<uint32_t>((n + kGranule - 1) / kGranule); }

    // Pool figures by size class, for diagnostics and tests.
    uint32_t GetBlockSize(uint32_t sizeClass) const;
    uint32_t GetBlocksPerChunk(uint32_t sizeClass) const;
    uint32_t GetTotalBlocks(uint32_t sizeClass) const;
    uint32_t GetBlocksInUse(uint32_t sizeClass) const;
    uint32_t GetChunkCount(uint32_t sizeClass) const;

private:
    struct FreeBlock
    {
        FreeBlock* m_next;
    };
    struct Chunk
    {
        Chunk* m_previous;
        // the blocks follow, aligned to the granule
    };
    struct Pool
    {
        uint32_t m_blockSize = 0;
        uint32_t m_blocksPerChunk = 64;
        uint32_t m_totalBlocks = 0;
        uint32_t m_blocksInUse = 0;
        Chunk* m_chunks = nullptr;
        FreeBlock* m_freeList = nullptr;
    };

    void AddChunk(Pool& pool);
    static void DestroyPool(Pool& pool);

    uint32_t m_limit;
    uint32_t m_poolCount;
    Pool* m_pools;
};

// The short names under which game code allocates its small objects.
void* AllocSmallBlock(size_t n);
void FreeSmallBlock(void* block, size_t n);
