#include "foundation/SmallBlockAllocator.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Free blocks and the unused tail of every handed-out block stay poisoned, so the address
// sanitizer sees overruns and stale reads inside the pools as it does on the heap.
#define POISON_BLOCK(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define UNPOISON_BLOCK(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define POISON_BLOCK(p, n) ((void)(p), (void)(n))
#define UNPOISON_BLOCK(p, n) ((void)(p), (void)(n))
#endif

namespace {

CSmallBlockAllocator* s_instance = nullptr;
bool s_destroyed = false;

} // namespace

CSmallBlockAllocator::CSmallBlockAllocator(uint32_t limit)
    : m_limit(limit)
    , m_poolCount(GetSizeClass(limit) + 1)
    , m_pools(new Pool[m_poolCount])
{
    for (uint32_t i = 0; i < m_poolCount; ++i) {
        Pool& pool = m_pools[i];
        pool.m_blockSize = i == 0 ? kGranule : i * kGranule;
        pool.m_blocksPerChunk = kChunkBytes / pool.m_blockSize;
        if (pool.m_blocksPerChunk == 0)
            pool.m_blocksPerChunk = 1;
    }
}

CSmallBlockAllocator::~CSmallBlockAllocator()
{
    for (uint32_t i = 0; i < m_poolCount; ++i)
        DestroyPool(m_pools[i]);
    delete[] m_pools;
}

void CSmallBlockAllocator::DestroyPool(Pool& pool)
{
    // Blocks still in use keep their chunks alive: someone may yet read or free them.
    if (pool.m_blocksInUse != 0)
        return;
    Chunk* chunk = pool.m_chunks;
    while (chunk) {
        Chunk* previous = chunk->m_previous;
        UNPOISON_BLOCK(chunk, sizeof(Chunk) + size_t(pool.m_blocksPerChunk) * pool.m_blockSize);
        std::free(chunk);
        chunk = previous;
    }
    pool.m_chunks = nullptr;
    pool.m_freeList = nullptr;
    pool.m_totalBlocks = 0;
}

CSmallBlockAllocator* CSmallBlockAllocator::GetInstance()
{
    if (!s_instance && !s_destroyed)
        s_instance = new (std::nothrow) CSmallBlockAllocator(kDefaultLimit);
    return s_instance;
}

void CSmallBlockAllocator::DestroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
    s_destroyed = true;
}

void CSmallBlockAllocator::AddChunk(Pool& pool)
{
    const size_t bytes = sizeof(Chunk) + size_t(pool.m_blocksPerChunk) * pool.m_blockSize;
    Chunk* chunk = static_cast<Chunk*>(std::malloc(bytes));
    if (!chunk)
        throw std::bad_alloc();
    chunk->m_previous = pool.m_chunks;
    pool.m_chunks = chunk;

    // Thread the blocks in ascending address order, so the first block is handed out first.
    unsigned char* first = reinterpret_cast<unsigned char*>(chunk + 1);
    FreeBlock* next = pool.m_freeList;
    for (uint32_t i = pool.m_blocksPerChunk; i-- > 0;) {
        FreeBlock* block = reinterpret_cast<FreeBlock*>(first + size_t(i) * pool.m_blockSize);
        block->m_next = next;
        next = block;
    }
    pool.m_freeList = next;
    pool.m_totalBlocks += pool.m_blocksPerChunk;
    POISON_BLOCK(first, size_t(pool.m_blocksPerChunk) * pool.m_blockSize);
}

void* CSmallBlockAllocator::Allocate(size_t n)
{
    if (n > m_limit)
        return ::operator new(n);
    Pool& pool = m_pools[GetSizeClass(n)];
    if (!pool.m_freeList)
        AddChunk(pool);
    FreeBlock* block = pool.m_freeList;
    UNPOISON_BLOCK(block, sizeof(FreeBlock));
    pool.m_freeList = block->m_next;
    POISON_BLOCK(block, pool.m_blockSize);
    UNPOISON_BLOCK(block, n);
    ++pool.m_blocksInUse;
    return block;
}

void CSmallBlockAllocator::Free(void* block, size_t n)
{
    if (!block)
        return;
    if (n > m_limit) {
        ::operator delete(block);
        return;
    }
    Pool& pool = m_pools[GetSizeClass(n)];
    UNPOISON_BLOCK(block, sizeof(FreeBlock));
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->m_next = pool.m_freeList;
    pool.m_freeList = freed;
    --pool.m_blocksInUse;
    POISON_BLOCK(block, pool.m_blockSize);
}

uint32_t CSmallBlockAllocator::GetBlockSize(uint32_t sizeClass) const
{
    return sizeClass < m_poolCount ? m_pools[sizeClass].m_blockSize : 0;
}

uint32_t CSmallBlockAllocator::GetBlocksPerChunk(uint32_t sizeClass) const
{
    return sizeClass < m_poolCount ? m_pools[sizeClass].m_blocksPerChunk : 0;
}

uint32_t CSmallBlockAllocator::GetTotalBlocks(uint32_t sizeClass) const
{
    return sizeClass < m_poolCount ? m_pools[sizeClass].m_totalBlocks : 0;
}

uint32_t CSmallBlockAllocator::GetBlocksInUse(uint32_t sizeClass) const
{
    return sizeClass < m_poolCount ? m_pools[sizeClass].m_blocksInUse : 0;
}

uint32_t CSmallBlockAllocator::GetChunkCount(uint32_t sizeClass) const
{
    if (sizeClass >= m_poolCount)
        return 0;
    uint32_t count = 0;
    for (const Chunk* chunk = m_pools[sizeClass].m_chunks; chunk; chunk = chunk->m_previous)
        ++count;
    return count;
}

void* AllocSmallBlock(size_t n)
{
    if (CSmallBlockAllocator* allocator = CSmallBlockAllocator::GetInstance())
        return allocator->Allocate(n);
    // After shut-down the heap serves; such blocks are never given back (see FreeSmallBlock).
    return ::operator new(n == 0 ? 1 : n);
}

void FreeSmallBlock(void* block, size_t n)
{
    if (CSmallBlockAllocator* allocator = CSmallBlockAllocator::GetInstance()) {
        allocator->Free(block, n);
        return;
    }
    // After shut-down a block may belong to a destroyed pool or to the heap; the size cannot tell
    // which, so it is left alone. The process is ending anyway.
    if (block && n > CSmallBlockAllocator::kDefaultLimit)
        ::operator delete(block);
}
